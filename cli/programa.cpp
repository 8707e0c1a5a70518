#include "cli/programa.h"

namespace thn::cli {

int Ejecutar(int, char**, std::ostream&, std::ostream&) { return 2; }

}  // namespace thn::cli
