#pragma once
// The Japanese fonts and standard-button texts every window of the program uses.

class QApplication;

namespace tovarin {

// Maps the Japanese system font names the windows ask for onto the installed IPA
// fonts, makes "ＭＳ ゴシック" 9 pt (by its installed name IPAGothic where present)
// the application font, makes the style's standard icons sparingly (StyleIcons.h),
// and loads Qt's Japanese translation so standard buttons read
// はい(&Y) / いいえ(&N) / キャンセル.
// Returns false when the translation could not be loaded (the buttons then stay
// in English; everything else still works).
bool setUpJapaneseEnvironment(QApplication& app);

} // namespace tovarin
