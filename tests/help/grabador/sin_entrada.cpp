// SPDX-License-Identifier: EUPL-1.2
// A library that loads but lacks the HTML Help entry point.

extern "C" __attribute__((visibility("default"))) int ThnSinHtmlHelp() { return 0; }
