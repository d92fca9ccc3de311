#pragma once

// A small frameless panel for a drive's details. The monitor creates it hidden with the warning
// dialogs; nothing shows or fills it yet.

#include "ui_DiskInfoWgt.h"

#include <QWidget>

class DiskInfoWgt : public QWidget, public Ui::m_pDiskInfoWgt {
    Q_OBJECT

public:
    DiskInfoWgt();
};
