// The subcommands of pegeltool. Each returns the process exit code:
// 0 done, 1 the data are bad, 2 a usage error.
#pragma once

#include <string>
#include <vector>

namespace pegeltool {

int KommandoConfig(const std::vector<std::string>& args);

// day DIR YYYYMMDD [--rows A:B] [--json]: summary of a stored day.
int KommandoDay(const std::vector<std::string>& args);
int KommandoPoll(const std::vector<std::string>& args);

}  // namespace pegeltool
