#pragma once
// The one error type of the core: carries the Spanish message shown to the user.

#include <stdexcept>
#include <initializer_list>
#include <string>

namespace thn {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& mensaje) : std::runtime_error(mensaje) {}
};

// Text of the application's error box: the message, with a full stop appended
// unless it already ends in "." or in a character that sorts before it.
std::string TextoCajaError(const std::string& mensaje);

// Replaces every "%s" of `plantilla`, in order, by the arguments.
std::string Formatear(const std::string& plantilla, std::initializer_list<std::string> argumentos);

}  // namespace thn
