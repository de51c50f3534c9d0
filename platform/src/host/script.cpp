// The input script: without a terminal, message boxes and dialogs read their input from
// standard input, one action per line ("type TEXT", "key NAME", "snapshot").
#include "host/host.h"

#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace host {

bool InteractiveTerminal() { return ::isatty(0) && ::isatty(1); }

std::optional<ScriptAction> NextScriptAction() {
    if (InteractiveTerminal()) return std::nullopt;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const std::string::size_type space = line.find(' ');
        const std::string verb = line.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
        if (verb == "type") return ScriptAction{ScriptAction::Type, FromUtf8(rest)};
        if (verb == "key" && !rest.empty()) return ScriptAction{ScriptAction::Key, FromUtf8(rest)};
        if (verb == "snapshot") return ScriptAction{ScriptAction::Snapshot, L""};
        std::fprintf(stderr, "input script: ignoring line: %s\n", line.c_str());
    }
    return std::nullopt;
}

}  // namespace host
