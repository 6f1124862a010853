#pragma once
// The program's own start-up sound: a short bell-like chime made from sine partials, as the image
// of a WAV file.
#include <cstdint>
#include <vector>

std::vector<uint8_t> SonDemarrage();
