#include "results/size_text.h"

#include <cmath>
#include <cstdio>

namespace quillfern {

namespace {
constexpr double kBytesPerMegabyte = 1048576.0;
}

Text formatSizeMB(FileSize size) {
  return numberToText(roundToDecimals(static_cast<double>(size) / kBytesPerMegabyte, 2));
}

double roundToDecimals(double value, int digits) {
  if (value == 0) return value;
  const bool negative = value < 0;
  const double scale = std::pow(10.0, digits);
  // The nudge keeps a product that should be a whole number of hundredths from falling short.
  const double scaled = std::fabs(value) * scale + 1e-12;
  double whole = std::floor(scaled);
  if (scaled - whole >= 0.5) whole += 1;
  const double rounded = whole / scale;
  return negative ? -rounded : rounded;
}

Text numberToText(double value) {
  if (value == 0) return "0";  // also a negative zero
  char text[32];
  const int length = std::snprintf(text, sizeof text, "%.13g", value);
  return Text(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

Text resultLine(FileSize size, const Text& path) {
  return formatSizeMB(size) + "MB  " + path;
}

}  // namespace quillfern
