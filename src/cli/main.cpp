// korvane-cli: the batch tool.

#include <iostream>

#include "cli/cli_app.h"

int main(int argc, char** argv) { return korvane::RunCli(argc, argv, std::cout, std::cerr); }
