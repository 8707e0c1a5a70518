// SPDX-License-Identifier: EUPL-1.2
#pragma once
// What the window asks of the help system: the application's help file, the
// context request of F1 and the WinHelp-style commands of the help button.

#include <cstdint>
#include <string>

namespace thn::ayuda {

// WinHelp command numbers the window issues.
constexpr int kHelpContext = 1;       // data: the context number
constexpr int kHelpQuit = 2;          // closes every help window
constexpr int kHelpContents = 3;      // data: 0
constexpr int kHelpFinder = 0x0B;     // the contents, as kHelpContents
constexpr int kHelpKey = 0x101;       // data: a NUL-terminated UTF-8 keyword
constexpr int kHelpPartialKey = 0x105;

class SistemaAyuda {
public:
    virtual ~SistemaAyuda() = default;
    // The application's help file ("NORVICA.chm", a bare name).
    virtual void PonerFicheroAyuda(const std::string& fichero) = 0;
    virtual std::string FicheroAyuda() const = 0;
    // F1: the topic with this context number of the application's help file.
    // Answers whether a help window shows it; the viewer itself stays silent.
    virtual bool AyudaContexto(std::int32_t contexto) = 0;
    // A WinHelp command such as kHelpContents with its data. Answers whether
    // a help window shows it; kHelpQuit always answers true.
    virtual bool ComandoAyuda(int comando, std::intptr_t datos) = 0;
    // A topic of the help file by name ("importar" or "importar.htm").
    virtual void AyudaTema(const std::string&) {}
    // The help file's index at a keyword.
    virtual void AyudaPalabraClave(const std::string&) {}
};

// Remembers the help file and serves nothing: for tests, and for builds
// without the help viewer.
class SistemaAyudaNulo : public SistemaAyuda {
public:
    void PonerFicheroAyuda(const std::string& fichero) override { fichero_ = fichero; }
    std::string FicheroAyuda() const override { return fichero_; }
    bool AyudaContexto(std::int32_t) override { return false; }
    bool ComandoAyuda(int comando, std::intptr_t) override { return comando == kHelpQuit; }

private:
    std::string fichero_;
};

}  // namespace thn::ayuda
