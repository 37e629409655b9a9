#pragma once

#include <QWidget>

#include "acquisition/programme.h"

// The charts window of three-probe meters (conductivity, temperature, pH, oxygen).
class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(TProgramme& programme, QWidget* parent = nullptr);

private:
    TProgramme& programme;
};
