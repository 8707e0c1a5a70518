// SPDX-License-Identifier: EUPL-1.2
#pragma once
// libxml2's diagnostics said in Spanish, for the codes a real document can hit.

#include <libxml/xmlerror.h>

#include <string>

namespace thn::documento {

// The Spanish reason for `error`, naming the tag, attribute, entity or
// encoding involved when libxml2 gives it; libxml2's own (English) text for
// codes outside the table.
std::string MotivoXml(const xmlError& error);

}  // namespace thn::documento
