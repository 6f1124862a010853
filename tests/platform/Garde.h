#pragma once
// For a test of what could freeze: past its bound the guard says what froze and ends the run, which
// then fails instead of hanging.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

class TGarde {
 public:
  TGarde(const char* quoi, int secondes)
      : fil_([this, quoi, secondes] {
          std::unique_lock<std::mutex> verrou(mutex_);
          if (fin_.wait_for(verrou, std::chrono::seconds(secondes), [this] { return fini_; })) return;
          std::fprintf(stderr, "FROZEN for %d s: %s\n", secondes, quoi);
          std::_Exit(EXIT_FAILURE);
        }) {}
  ~TGarde() {
    {
      std::lock_guard<std::mutex> verrou(mutex_);
      fini_ = true;
    }
    fin_.notify_all();
    fil_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable fin_;
  bool fini_ = false;
  std::thread fil_;  // last: it starts once the rest is there
};
