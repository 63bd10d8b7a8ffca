#pragma once

#include <QDialog>

namespace vellamo::app {

inline const char* const ProjectWebPage = "https://korvend.example/vellamo";

// "Info": the program's icon and name, and a button to the project's web page.
class InfoBox : public QDialog {
public:
    explicit InfoBox(QWidget* parent = nullptr);
};

// The program's icon, drawn by the program: a small stack of business cards.
QIcon programIcon();

}  // namespace vellamo::app
