// Builds large, realistic resource scripts for benchmarks: every statement family the
// reader knows, in the proportions of real application scripts, always the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qmk::bench {

class ScriptGenerator {
public:
    explicit ScriptGenerator(std::uint32_t seed = 1);
    // A script of at least targetBytes bytes (it stops after the resource that reaches it).
    std::string generate(std::size_t targetBytes);

private:
    void header(std::string& out);
    void dialog(std::string& out);
    void menu(std::string& out);
    void stringTable(std::string& out);
    void accelerators(std::string& out);
    void versionInfo(std::string& out);
    void rcData(std::string& out);
    void fileResources(std::string& out);
    void preprocessor(std::string& out);
    std::string text(int words);
    std::string id(const char* prefix);
    unsigned next();

    std::uint32_t state_;
    unsigned counter_ = 0;
};

} // namespace qmk::bench
