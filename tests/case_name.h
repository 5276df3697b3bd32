#pragma once

#include <cctype>
#include <string>

namespace aurisplot::testing {

// Names a parameterised test after its case's `name`, in the letters and
// digits GoogleTest accepts.
struct CaseName {
    template <typename TestInfo>
    std::string operator()(const TestInfo& test) const {
        std::string name = test.param.name;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
        }
        return name;
    }
};

}  // namespace aurisplot::testing
