#pragma once

#include <QCoreApplication>
#include <chrono>
#include <functional>
#include <future>
#include <thread>

namespace ploven::test {

// Runs a blocking client call on its own thread while this thread serves Qt's events (the
// companion's server lives here), and gives back what the call returned.
template <class Call>
auto WhileServing(Call call) -> decltype(call()) {
  auto result = std::async(std::launch::async, std::move(call));
  while (result.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return result.get();
}

// Serves events until `done` holds or the time is up; whether it held.
inline bool ServeUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace ploven::test
