// SPDX-License-Identifier: EUPL-1.2
#include "cli/programa.h"
#include "so/plataforma.h"

#include <iostream>

int main(int argc, char** argv)
{
    thn::so::PrepararConsola();
    return thn::cli::Ejecutar(argc, argv, std::cout, std::cerr);
}
