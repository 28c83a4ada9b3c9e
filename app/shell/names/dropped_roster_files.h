// Roster files among the things dragged onto the window.
#pragma once

#include <QStringList>

class QMimeData;

// Paths of the dragged local files whose extension is csv or txt (any case), in drag order.
// Folders are left out even when their name ends that way.
QStringList droppedRosterFiles(const QMimeData* data);
