#pragma once

#include <QDialog>

class QLineEdit;
class TListFormatu;

// "Formát papíru": shows or edits one paper format.
class TDlgFormatPapiru : public QDialog
{
    Q_OBJECT

public:
    explicit TDlgFormatPapiru(QWidget *parent = nullptr);

    // Shows format `index`; its fields can be changed only when `editable`.
    // On "Konec" the name (cut to 31 characters), width and height are taken;
    // a width or height that is not a number keeps the old value. True on "Konec".
    static bool edit(TListFormatu &formats, int index, bool editable, QWidget *parent = nullptr);

private:
    QLineEdit *m_name;
    QLineEdit *m_width;
    QLineEdit *m_height;
};
