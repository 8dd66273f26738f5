#pragma once
// Window layouts are measured in twips, 1/1440 inch: 15 of them make one pixel at 96 dots per inch.
// Windows gives each window the DPI of its monitor, so a window's pixels follow from its DPI.

namespace orvelin::win32 {

inline constexpr int twipsPerInch = 1440;

// The nearest pixel at dpi dots per inch, a half pixel rounded up (6645 twips are 664.5 pixels at
// 144 DPI: 665). At 96 DPI this is (twips + 7) / 15, the Linux build's rule. Layouts have no
// negative measures.
constexpr int pixelsFromTwips(int twips, unsigned dpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  return static_cast<int>((scaled + twipsPerInch / 2) / twipsPerInch);
}

} // namespace orvelin::win32
