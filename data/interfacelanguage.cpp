#include "interfacelanguage.h"

#include <algorithm>

namespace qor {

const InterfaceLanguage* interfaceLanguage(QStringView code)
{
    const auto found =
        std::find_if(InterfaceLanguages.begin(), InterfaceLanguages.end(), [code](const InterfaceLanguage& l) { return l.code == code; });
    return found != InterfaceLanguages.end() ? &*found : nullptr;
}

} // namespace qor
