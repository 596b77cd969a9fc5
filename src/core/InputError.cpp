#include "core/InputError.h"

namespace zav {

InputError InputError::MissingHeader(const std::string& header) {
    return InputError("Parse error: unable to find header '" + header + "'");
}

}  // namespace zav
