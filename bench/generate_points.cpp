// Writes a deterministic point file of survey-like rows to standard output:
// traverses of small steps from random bases, "-45840.421508,-9571.454398,156.9951",
// CR LF. With "named", the same points as Japanese survey files hold them: a name,
// then the northing (Y) before the easting (X), and Z, "P1,-9571.454398,-45840.421508,
// 156.9951". Usage: sorvane-bench-points COUNT [SEED [named]]
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: sorvane-bench-points COUNT [SEED [named]]\n", stderr);
    return 2;
  }
  const long long count = std::atoll(argv[1]);
  const bool named = argc > 3 && std::string_view(argv[3]) == "named";
  std::mt19937_64 random(argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1);
  std::uniform_real_distribution<double> baseX(-60000, -30000), baseY(-20000, 0), baseZ(0, 300);
  std::uniform_real_distribution<double> step(-2.5, 2.5), rise(-0.15, 0.15);
  std::uniform_int_distribution<int> traverseLength(50, 2000);
  double x = 0, y = 0, z = 0;
  int left = 0;
  static char buffer[1 << 16];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  for (long long i = 0; i < count; ++i) {
    if (left-- == 0) {
      x = baseX(random), y = baseY(random), z = baseZ(random);
      left = traverseLength(random);
    }
    x += step(random), y += step(random), z += rise(random);
    if (named) {
      std::printf("P%lld,%.6f,%.6f,%.4f\r\n", i + 1, y, x, z);
    } else {
      std::printf("%.6f,%.6f,%.4f\r\n", x, y, z);
    }
  }
  return 0;
}
