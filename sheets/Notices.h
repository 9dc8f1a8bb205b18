#pragma once
// The notice about local development rules that the input windows put into the
// status bar when a click or a change invalidates the result. The main sheet's text
// ends in the half-width full stop "｡", the facility windows' text in "。".

#include <QString>

namespace tovarin {

inline QString mainSheetNotice() {
    return QStringLiteral(
        "地下水混入率、計画汚水量の割増し 及び 粗度係数(ｎ)は、各地域の開発指導要綱等による事｡");
}

inline QString facilityNotice() {
    return QStringLiteral(
        "地下水混入率、計画汚水量の割増し 及び 粗度係数(ｎ)は、各地域の開発指導要綱等による事。");
}

} // namespace tovarin
