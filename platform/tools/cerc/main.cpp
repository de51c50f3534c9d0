// cerc SCRIPT.rc OUT.cpp [DEPFILE]: compiles a resource script into a C++ source that
// registers the resources at start-up; the depfile lists the files read, for the build.
#include "cerc.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: cerc SCRIPT.rc OUT.cpp [DEPFILE]\n");
        return 2;
    }
    try {
        std::vector<std::string> files;
        const std::vector<cerc::CompiledResource> resources = cerc::CompileScript(argv[1], &files);
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out << cerc::EmitSource(argv[1], resources);
        if (!out.flush()) throw cerc::CompileError(std::string(argv[2]) + ": cannot be written");
        if (argc == 4) {
            std::ofstream dep(argv[3], std::ios::trunc);
            dep << argv[2] << ":";
            for (const std::string& f : files) dep << " " << f;
            dep << "\n";
        }
    } catch (const cerc::CompileError& e) {
        std::fprintf(stderr, "cerc: %s\n", e.what());
        std::remove(argv[2]);
        return 1;
    }
    return 0;
}
