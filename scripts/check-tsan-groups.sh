#!/usr/bin/env bash
# The thread-sanitized runs check what tests/CMakeLists.txt says, no less and no more: it writes the
# groups and the sanitizer's options to tsan.txt in the tests' build folder, and this fails when
# that list is missing or empty, when the options name no suppressions file that exists, or when a
# group names no test of any executable (a renamed suite would quietly narrow the check).
# Usage: check-tsan-groups.sh <build folder>/tests
set -euo pipefail
dir=${1:?usage: check-tsan-groups.sh <build folder>/tests}
if [[ ! -s $dir/tsan.txt || ! -s $dir/test_executables.txt ]]; then
  echo "check-tsan-groups: $dir/tsan.txt or $dir/test_executables.txt is missing or empty: configure first" >&2
  exit 1
fi
{ read -r groups || true; read -r options || true; } < "$dir/tsan.txt"
supp=$(grep -oE '(^|:)suppressions=[^:]+' <<< "${options:-}" | sed 's/.*suppressions=//' || true)
if [[ -z ${groups:-} || -z $supp || ! -f $supp ]]; then
  echo "check-tsan-groups: $dir/tsan.txt names no groups, or no suppressions file that exists" >&2
  exit 1
fi
filter=$(sed -E 's/ +/.*:/g; s/$/.*/' <<< "$groups")
mapfile -t executables < "$dir/test_executables.txt"
listed=""
for exe in "${executables[@]}"; do
  listed+=$(TSAN_OPTIONS="$options" "$exe" --gtest_list_tests --gtest_filter="$filter" 2>/dev/null | { grep -E '^[^ ]' || true; })$'\n'
done
fail=0
for g in $groups; do
  if ! grep -qE "^$g\\." <<< "$listed"; then
    echo "check-tsan-groups: the group $g names no test"
    fail=1
  fi
done
(( fail == 0 )) || exit 1
echo "check-tsan-groups: every group names tests: $groups"
