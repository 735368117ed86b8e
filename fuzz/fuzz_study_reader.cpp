// SPDX-License-Identifier: MIT
// Arbitrary bytes as a row of dealwise-study's deals.csv, with and without
// the solver's columns, and as its manifest.json. A row read must write back
// as the same text; a manifest read must write and read back as itself.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "check.h"
#include "study/csv.h"
#include "study/manifest.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const bool withSolver : {false, true}) {
        if (const auto row = dealwise::study::readCsvRow(text, withSolver)) {
            FUZZ_CHECK(dealwise::study::csvRow(row->result) == std::string(text) + "\n");
            FUZZ_CHECK((row->result.winnable != dealwise::study::Winnable::NotAsked) == withSolver);
        }
    }
    try {
        const dealwise::study::RunManifest manifest = dealwise::study::parseManifest(text);
        FUZZ_CHECK(dealwise::study::parseManifest(dealwise::study::manifestText(manifest)) == manifest);
    } catch (const std::invalid_argument&) {
        // Not a manifest: refused, as it should be.
    }
    return 0;
}
