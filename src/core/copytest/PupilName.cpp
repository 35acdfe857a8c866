#include "PupilName.h"

namespace PupilName {

std::string FromAccount(std::string_view gecos, std::string_view login) {
    std::string_view name = gecos.substr(0, gecos.find(','));
    const std::size_t first = name.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::string(login);
    }
    name = name.substr(first, name.find_last_not_of(' ') - first + 1);
    return std::string(name);
}

} // namespace PupilName
