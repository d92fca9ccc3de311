#pragma once

class QApplication;

// Application-wide behaviour fixed right after the application object exists.
void PrepareApplication(QApplication& application);
