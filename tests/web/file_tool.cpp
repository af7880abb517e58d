// The desktop's reader and writer for the cross-edition test: `read <file>` prints what the reader makes of a file,
// as one line of JSON ({"calculation", "texts": [by Input]}, {"calculation", "arrangement"} or {"message"}); `resave
// <file> <copy>` reads a file and writes its texts again as the desktop does.
#include "calculation_file.h"
#include "json.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

using namespace kelvaro;
using namespace kelvaro::json;

int main(int argc, char* argv[]) {
  const std::string mode = argc > 2 ? argv[1] : "";
  if (mode == "resave" && argc == 4) {
    std::ifstream in(argv[2], std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto opened = ReadCalculationFile(content, argv[2]);
    const auto written = opened ? WriteCalculationFile(*opened, argv[3], {"Kelvaro", "2024-05-01", {}})
                                : std::unexpected(opened.error());
    if (!written) return 1;
    std::ofstream(argv[3], std::ios::binary) << *written;
    return 0;
  }
  if (mode == "read") {
    std::ifstream in(argv[2], std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto opened = ReadCalculationFile(content, argv[2]);
    if (!opened) {
      std::cout << Object({{"message", String(opened.error().message)}}) << "\n";
      return 0;
    }
    const auto* fields = std::get_if<FieldTexts>(&*opened);
    if (!fields) {
      const auto& arrangement = std::get<CraneArrangementTexts>(*opened);
      Members own;
      for (const auto& [key, member] : ArrangementTextNames) own.emplace_back(key, String(arrangement.*member));
      std::vector<std::string> cranes;
      for (const CraneTexts& crane : arrangement.cranes) {
        Members row;
        for (const auto& [key, member] : CraneTextNames) row.emplace_back(key, String(crane.*member));
        cranes.push_back(Object(row));
      }
      own.emplace_back("cranes", Array(cranes));
      std::cout << Object({{"calculation", String(KindName(*opened))}, {"arrangement", Object(own)}}) << "\n";
      return 0;
    }
    std::cout << Object({{"calculation", String(KindName(*opened))}, {"texts", Strings(fields->texts)}}) << "\n";
    return 0;
  }
  return 2;
}
