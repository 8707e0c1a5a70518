#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# strip for the package, as Debian's own packaging does it: the compiler's
# .comment and .note sections go with the symbols.
exec strip --remove-section=.comment --remove-section=.note "$@"
