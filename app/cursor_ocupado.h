// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The busy cursor for the whole application while an action runs, put back
// on every way out, an error included.

#include <QApplication>
#include <QCursor>

namespace thn::app {

class CursorOcupado {
public:
    CursorOcupado() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~CursorOcupado() { QApplication::restoreOverrideCursor(); }
    CursorOcupado(const CursorOcupado&) = delete;
    CursorOcupado& operator=(const CursorOcupado&) = delete;
};

}  // namespace thn::app
