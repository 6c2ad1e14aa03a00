#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "mock/test_env.h"

namespace ploven::test {

// What one run of plovenctl gave.
struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline std::string Quoted(const std::string& arg) {
  std::string q = "'";
  for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs the built plovenctl in `dir` with its data folder and profile there too,
// the clock fixed at Tuesday 8 December 2026, 9:00.
inline CliRun RunCli(const TempDir& dir, const std::vector<std::string>& args,
                     bool fixClock = true) {
  std::string command = "cd " + Quoted(dir.path().string()) + " && PLOVEN_HOME=" +
                        Quoted((dir / "home").string()) + " HOME=" +
                        Quoted((dir / "user").string()) + " " + Quoted(PLOVENCTL_PATH);
  if (fixClock) command += " --today 2026-12-08 --now 09:00";
  for (const std::string& a : args) command += " " + Quoted(a);
  command += " >" + Quoted((dir / "out.txt").string()) + " 2>" + Quoted((dir / "err.txt").string());
  const int raw = std::system(command.c_str());
  CliRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadText(dir / "out.txt");
  run.err = ReadText(dir / "err.txt");
  return run;
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::stringstream s(text);
  for (std::string line; std::getline(s, line);) out.push_back(line);
  return out;
}

inline std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream s(line);
  for (std::string f; std::getline(s, f, '\t');) out.push_back(f);
  return out;
}

}  // namespace ploven::test
