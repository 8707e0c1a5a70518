// SPDX-License-Identifier: EUPL-1.2
#pragma once
// base/: what every other folder speaks (errors, text, numbers, Windows-1252).
// The one error type of the core: carries the Spanish message shown to the user.

#include <stdexcept>
#include <initializer_list>
#include <string>
#include <utility>

namespace thn {

// what() is the message whose text is fixed; Detalle() is an optional second
// line that names the path or place, or what the failure left unchanged.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& mensaje, std::string detalle = {})
        : std::runtime_error(mensaje), detalle_(std::move(detalle)) {}
    const std::string& Detalle() const { return detalle_; }

private:
    std::string detalle_;
};

// Text of the application's error box: the message, with a full stop appended
// unless it already ends in "." or in a character that sorts before it.
std::string TextoCajaError(const std::string& mensaje);

// Replaces every "%s" of `plantilla`, in order, by the arguments.
std::string Formatear(const std::string& plantilla, std::initializer_list<std::string> argumentos);

}  // namespace thn
