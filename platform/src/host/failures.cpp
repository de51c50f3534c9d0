// CE_FAIL: platform functions that a test asks to fail the way the platform reports failure.
#include "host/host.h"

#include <cstdlib>
#include <set>
#include <sstream>

namespace host {

bool InjectedFailure(const char* api) {
    static const std::set<std::string> names = [] {
        std::set<std::string> s;
        if (const char* env = std::getenv("CE_FAIL")) {
            std::stringstream in(env);
            std::string name;
            while (std::getline(in, name, ','))
                if (!name.empty()) s.insert(name);
        }
        return s;
    }();
    return names.count(api) != 0;
}

}  // namespace host
