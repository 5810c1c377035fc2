// The program's self-test ("--self-test"): proves that an installed program can start.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zbe {

class UIApplication;

// A layout of the skin and the control names it must hold.
struct SkinLayoutCheck {
  std::string file;
  std::vector<std::string> controls;
};

// Every layout the program uses (the main window with its pages first) and the controls the
// program finds in each by name.
const std::vector<SkinLayoutCheck>& SkinLayoutChecks();

// The names of "check.controls" that the layout does not hold, or the reason it cannot be built
// as the only element.
std::vector<std::string> MissingSkinControls(const SkinLayoutCheck& check);

// Runs the self-test with the started toolkit "app" (skin set) for the program in
// "programFolder": registers the image component, loads the configuration and every language
// it lists, builds every layout of the skin and checks their controls, builds the main window
// with its pages (in a private, empty data folder, so a running instance's files are never
// touched), lets it initialise and closes it. Each failure goes to stderr. Returns 0 when
// everything worked, else 1.
int RunSelfTest(UIApplication& app, const std::string& programFolder);

}  // namespace zbe
