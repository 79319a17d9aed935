#pragma once
// A small drawing template of DXF R2000 for the tests: a table with the model space
// block record 1F, an entity of its own (handle 29), which a drawing leaves out, and a
// root dictionary. Its $HANDSEED is 2A, so a drawing's handles start there.

#include <string>
#include <string_view>

namespace sorvane::testing::small_r2000 {

// Its pieces, in order: the version, the $HANDSEED up to its value, the tables up to
// the ENTITIES section's opening, its own entity, and the objects through the end.
inline constexpr std::string_view kVersion =
    "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1015\r\n";
inline constexpr std::string_view kSeed = "  9\r\n$HANDSEED\r\n  5\r\n";
inline constexpr std::string_view kTables =
    "  0\r\nENDSEC\r\n"
    "  0\r\nSECTION\r\n  2\r\nTABLES\r\n  0\r\nTABLE\r\n  2\r\nBLOCK_RECORD\r\n"
    "  5\r\n1\r\n330\r\n0\r\n  0\r\nBLOCK_RECORD\r\n  5\r\n1F\r\n330\r\n1\r\n"
    "  2\r\n*Model_Space\r\n  0\r\nENDTAB\r\n  0\r\nENDSEC\r\n"
    "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
inline constexpr std::string_view kOwnEntity = "  0\r\nLINE\r\n  5\r\n29\r\n330\r\n1F\r\n";
inline constexpr std::string_view kObjects =
    "  0\r\nSECTION\r\n  2\r\nOBJECTS\r\n  0\r\nDICTIONARY\r\n  5\r\nA\r\n330\r\n0\r\n"
    "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";

// `seedFirst` puts $HANDSEED before $ACADVER.
inline std::string Template(bool seedFirst = false) {
  const std::string seed = std::string(kSeed) + "2A\r\n";
  const std::string header = seedFirst ? "  0\r\nSECTION\r\n  2\r\nHEADER\r\n" + seed +
                                             "  9\r\n$ACADVER\r\n  1\r\nAC1015\r\n"
                                       : std::string(kVersion) + seed;
  return header + std::string(kTables) + std::string(kOwnEntity) +
         "  0\r\nENDSEC\r\n" + std::string(kObjects);
}

}  // namespace sorvane::testing::small_r2000
