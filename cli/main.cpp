// SPDX-License-Identifier: EUPL-1.2
#include "cli/programa.h"

#include <iostream>

int main(int argc, char** argv)
{
    return thn::cli::Ejecutar(argc, argv, std::cout, std::cerr);
}
