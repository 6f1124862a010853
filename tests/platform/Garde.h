#pragma once
// For a test of what could freeze: past its bound the guard says what froze and ends the run, which
// then fails instead of hanging.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>

class TGarde {
 public:
  TGarde(const char* quoi, int secondes)
      : fil_([fin = fin_.get_future(), quoi, secondes] {
          if (fin.wait_for(std::chrono::seconds(secondes)) == std::future_status::ready) return;
          std::fprintf(stderr, "FROZEN for %d s: %s\n", secondes, quoi);
          std::_Exit(EXIT_FAILURE);
        }) {}
  ~TGarde() { fin_.set_value(), fil_.join(); }

 private:
  std::promise<void> fin_;
  std::thread fil_;
};
