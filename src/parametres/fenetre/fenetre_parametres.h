#pragma once

#include <QWidget>

#include "acquisition/programme.h"

class TForm1;

// The parameters window: the instrument table, the reading options, the files and the tools.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    TForm2(TProgramme& programme, TForm1& form1, QWidget* parent = nullptr);

private:
    TProgramme& programme;
    TForm1& form1;
};
