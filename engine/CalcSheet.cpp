#include "engine/CalcSheet.h"

namespace tovarin {

FacilityKind facilityKindFromIndex(int index) {
    if (index < 0 || index > 5)
        return FacilityKind::None;
    return static_cast<FacilityKind>(index);
}

} // namespace tovarin
