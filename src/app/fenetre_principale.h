#pragma once

#include <QWidget>

#include "acquisition/programme.h"

class TForm2;
class TForm3;

// The main window: the run buttons, the large values, the tracer results and the live plot.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(TProgramme& programme, QWidget* parent = nullptr);
    void relie_fenetres(TForm2* parametres, TForm3* graphes);

    static constexpr const char* version_programme = "4.11";

private:
    TProgramme& programme;
    TForm2* form2 = nullptr;
    TForm3* form3 = nullptr;
};
