#include "Finger.h"

std::string_view FingerName(Finger finger) {
    switch (finger) {
    case Finger::LeftLittle:
        return "levý malíček";
    case Finger::LeftRing:
        return "levý prsteníček";
    case Finger::LeftMiddle:
        return "levý prostředníček";
    case Finger::LeftIndex:
        return "levý ukazováček";
    case Finger::Thumb:
        return "palec";
    case Finger::RightIndex:
        return "pravý ukazováček";
    case Finger::RightMiddle:
        return "pravý prostředníček";
    case Finger::RightRing:
        return "pravý prsteníček";
    case Finger::RightLittle:
        return "pravý malíček";
    }
    return {};
}
