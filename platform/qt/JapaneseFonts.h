#pragma once
// The families of the program's three Japanese fonts. The windows and the printout
// are designed for "ＭＳ 明朝", "ＭＳ ゴシック" and "ＭＳ Ｐゴシック"; where the IPA fonts
// are installed (IPAMincho, IPAGothic, IPAPGothic) their own names are asked for,
// which gives the same glyphs the substitutions would, without Qt first searching
// every fallback font for a family that is not installed. Without them the "ＭＳ …"
// names stand, for the substitutions of setUpJapaneseEnvironment to map.

#include <QString>

namespace tovarin {

QString minchoFamily();
QString gothicFamily();
QString proportionalGothicFamily();

} // namespace tovarin
