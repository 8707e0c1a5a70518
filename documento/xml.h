// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Pieces of the centre document shared by its source files: loading,
// saving and names, on libxml2.

#include <libxml/parser.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "documento/centro.h"
#include "documento/errores_xml.h"

namespace thn::documento {

struct LiberarDocXml { void operator()(xmlDoc* d) const; };
using DocXml = std::unique_ptr<xmlDoc, LiberarDocXml>;

// No network, and none of the options that load a DTD, substitute entities
// or let a document grow past libxml2's size limits. Every reader of the
// centre document parses with these.
// BIG_LINES: line numbers past 65535 are kept, for messages and reports.
inline constexpr int kOpcionesLectura = XML_PARSE_NONET | XML_PARSE_COMPACT | XML_PARSE_BIG_LINES;

// Initialises libxml2 and installs, once per process, an external entity
// loader that refuses everything. Call before any parse.
void PrepararLibxml2();

// Parses the file with no network, no external entities and no DTD loading.
// Fails when the file cannot be read or is not well-formed.
// SoloRaiz builds the root element with its attributes, and what stands
// outside it, but nothing inside it.
enum class Alcance { Todo, SoloRaiz };
DocXml LeerXml(const std::filesystem::path& ruta, Alcance alcance = Alcance::Todo);

// The parse under LeerXml: the same input, options, checks and errors, with
// the handlers `preparar` puts on the context before the first byte in
// place of the tree builder's where it wants. Gives back the document the
// context holds at the end: whatever the handlers let the tree builder make.
DocXml Analizar(const std::filesystem::path& ruta,
                const std::function<void(xmlParserCtxt*, RecogidaErroresXml&)>& preparar);

// Writes the document in the encoding it declares, replacing `ruta` only by
// a complete file.
void EscribirXml(xmlDoc* doc, const std::filesystem::path& ruta);

// As EscribirXml, but `contenedor`'s children are made while writing: the
// producer is called until it answers false, and whatever children it has
// added to `contenedor` by then are written and freed.
void EscribirXmlEnFlujo(xmlDoc* doc, const std::filesystem::path& ruta, xmlNode* contenedor,
                        const ProductorHijos& producir);

// The attribute's text, entities expanded, trimmed of U+0020 and below at
// both ends; nothing when the entities expand beyond reason.
std::optional<std::string> TextoAtributo(const xmlAttr* atributo);

// An attribute's value as the parser hands it to the tree builder (between
// `valor` and `fin`, references to the document's entities still in it)
// made into the nodes the tree builder makes of it: freed with
// xmlFreeNodeList. Only for a value with a '&': any other is one text.
xmlNode* NodosDeValor(xmlDoc* doc, const xmlChar* valor, const xmlChar* fin);
// The text TextoAtributo gives for an attribute with those nodes.
std::optional<std::string> TextoDeNodos(const xmlDoc* doc, const xmlNode* nodos);

// True when the node's qualified name (prefix:local, or local) is `nombre`.
bool NombreEs(const xmlNode* nodo, std::string_view nombre);

// Fails unless `nombre` is a valid XML name; `que` says what it names
// ("elemento", "atributo").
void ComprobarNombre(std::string_view nombre, const char* que);

}  // namespace thn::documento
