#include "ops/edited/EditedModuleDialog.h"

#include "common/Clock.h"
#include "common/LocaleFormats.h"
#include "common/UiSeam.h"
#include "common/widgets/DialogParts.h"
#include "ops/edited/EditedModules.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const char *const kCalendarProperty = "calendarAction";

std::optional<QDate> parsedDate(const QLineEdit *edit)
{
    return LocaleFormats::current().parseDate(edit->text().trimmed());
}
} // namespace

TfrmVyberModulu::TfrmVyberModulu(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"TfrmVyberModulu"_s);
    setWindowTitle(u"Výběr modulu"_s);

    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(u"Vyberte požadovaný modul"_s, this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    auto *hint = new QLabel(u"- pro rychlejší načtení dokladů můžete omezit množinu zobrazených dat datumovým filtrem. "
                            u"Pokud vás zajímají jen opravy ostatních uživatelů, zaškrtněte "
                            u"\"ignorovat doklady, u kterých je moje oprava jako poslední\""_s,
                            this);
    hint->setWordWrap(true);
    layout->addWidget(hint);

    auto *modules = new QGridLayout;
    for (const EditedModule &module : EditedModules::all()) {
        auto *radio = new QRadioButton(module.caption.toString(), this);
        radio->setObjectName(module.radioName.toString());
        const int index = module.number - 1;
        modules->addWidget(radio, index % 10, index / 10);
        m_modules.append(radio);
    }
    m_modules.front()->setChecked(true);
    layout->addLayout(modules);

    m_chckIgnorUzivatel = new QCheckBox(u"ignorovat doklady, u kterých je moje * oprava jako poslední"_s, this);
    m_chckIgnorUzivatel->setObjectName(u"chckIgnorUzivatel"_s);
    layout->addWidget(m_chckIgnorUzivatel);
    auto *userLine = new QHBoxLayout;
    userLine->addWidget(new QLabel(u"* aktuálně přihlášený uživatel:"_s, this));
    m_lblAktUzivatel = new QLabel(this);
    m_lblAktUzivatel->setObjectName(u"lblAktUzivatel"_s);
    userLine->addWidget(m_lblAktUzivatel);
    userLine->addStretch();
    layout->addLayout(userLine);

    auto *dateLine = new QHBoxLayout;
    m_chckDatVystaveni = new QCheckBox(u"dle data vystavení"_s, this);
    m_chckDatVystaveni->setObjectName(u"chckDatVystaveni"_s);
    m_cbxDatVystObdobi = new QComboBox(this);
    m_cbxDatVystObdobi->setObjectName(u"cbxDatVystObdobi"_s);
    m_cbxDatVystObdobi->addItems(EditedPeriods::texts());
    m_edtDatumVystOd = addDateEdit(u"edtDatumVystOd"_s);
    m_edtDatumVystDo = addDateEdit(u"edtDatumVystDo"_s);
    dateLine->addWidget(m_chckDatVystaveni);
    dateLine->addWidget(m_cbxDatVystObdobi);
    dateLine->addWidget(new QLabel(u"od"_s, this));
    dateLine->addWidget(m_edtDatumVystOd);
    dateLine->addWidget(new QLabel(u"do"_s, this));
    dateLine->addWidget(m_edtDatumVystDo);
    dateLine->addStretch();
    layout->addLayout(dateLine);

    auto *changeLine = new QHBoxLayout;
    m_chckUseZmenaOd = new QCheckBox(u"za opravené považovat pouze doklady, u kterých změna proběhla od"_s, this);
    m_chckUseZmenaOd->setObjectName(u"chckUseZmenaOd"_s);
    m_edtZmenaOd = addDateEdit(u"edtZmenaOd"_s);
    changeLine->addWidget(m_chckUseZmenaOd);
    changeLine->addWidget(m_edtZmenaOd);
    changeLine->addStretch();
    layout->addLayout(changeLine);

    QPushButton *btnOK = DialogParts::addOkStorno(this, layout);
    connect(btnOK, &QPushButton::clicked, this, &TfrmVyberModulu::okClicked);
    connect(m_cbxDatVystObdobi, &QComboBox::currentIndexChanged, this, &TfrmVyberModulu::updateControls);
    connect(m_chckDatVystaveni, &QCheckBox::clicked, this, &TfrmVyberModulu::updateControls);
    connect(m_chckUseZmenaOd, &QCheckBox::clicked, this, &TfrmVyberModulu::updateControls);
}

QLineEdit *TfrmVyberModulu::addDateEdit(const QString &objectName)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(objectName);
    edit->setFixedWidth(110);
    edit->installEventFilter(this);
    QAction *calendar =
        edit->addAction(style()->standardIcon(QStyle::SP_FileDialogDetailedView), QLineEdit::TrailingPosition);
    calendar->setObjectName(objectName + u"Kalendar"_s);
    edit->setProperty(kCalendarProperty, QVariant::fromValue(static_cast<QObject *>(calendar)));
    connect(calendar, &QAction::triggered, this, [this, edit] { openCalendar(edit); });
    return edit;
}

QAction *TfrmVyberModulu::calendarAction(QLineEdit *edit) const
{
    return qobject_cast<QAction *>(edit->property(kCalendarProperty).value<QObject *>());
}

void TfrmVyberModulu::setUserName(const QString &userName)
{
    m_lblAktUzivatel->setText(userName);
}

void TfrmVyberModulu::setSettings(const EditedSettings &settings)
{
    if (settings.module >= 1 && settings.module <= m_modules.size())
        m_modules.at(settings.module - 1)->setChecked(true);
    m_chckIgnorUzivatel->setChecked(settings.ignoreOwn);
    m_chckDatVystaveni->setChecked(settings.dateFilter);
    const QSignalBlocker blocker(m_cbxDatVystObdobi);
    m_cbxDatVystObdobi->setCurrentIndex(
        settings.period >= 0 && settings.period < m_cbxDatVystObdobi->count() ? settings.period : 0);
    const LocaleFormats &locale = LocaleFormats::current();
    m_edtDatumVystOd->setText(locale.formatDate(settings.dateFrom));
    m_edtDatumVystDo->setText(locale.formatDate(settings.dateTo));
    m_chckUseZmenaOd->setChecked(settings.useChangeFrom);
    m_edtZmenaOd->setText(locale.formatDate(settings.changeFrom));
}

EditedSettings TfrmVyberModulu::settings() const
{
    EditedSettings settings;
    for (int i = 0; i < m_modules.size(); ++i) {
        if (m_modules.at(i)->isChecked())
            settings.module = i + 1;
    }
    settings.ignoreOwn = m_chckIgnorUzivatel->isChecked();
    settings.dateFilter = m_chckDatVystaveni->isChecked();
    settings.period = m_cbxDatVystObdobi->currentIndex();
    settings.dateFrom = parsedDate(m_edtDatumVystOd).value_or(QDate());
    settings.dateTo = parsedDate(m_edtDatumVystDo).value_or(QDate());
    settings.useChangeFrom = m_chckUseZmenaOd->isChecked();
    settings.changeFrom = parsedDate(m_edtZmenaOd).value_or(QDate());
    return settings;
}

void TfrmVyberModulu::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    updateControls();
}

void TfrmVyberModulu::updateControls()
{
    const bool dateFilter = m_chckDatVystaveni->isChecked();
    m_cbxDatVystObdobi->setEnabled(dateFilter);
    // Enabled date boxes in the window colour, disabled ones in the
    // button-face colour.
    auto enableDate = [](QLineEdit *edit, bool enabled) {
        edit->setEnabled(enabled);
        QPalette palette = edit->palette();
        const QPalette standard = edit->style()->standardPalette();
        const QColor colour = standard.color(enabled ? QPalette::Base : QPalette::Button);
        palette.setColor(QPalette::Active, QPalette::Base, colour);
        palette.setColor(QPalette::Inactive, QPalette::Base, colour);
        palette.setColor(QPalette::Disabled, QPalette::Base, colour);
        edit->setPalette(palette);
    };
    enableDate(m_edtDatumVystOd, dateFilter);
    enableDate(m_edtDatumVystDo, dateFilter);
    enableDate(m_edtZmenaOd, m_chckUseZmenaOd->isChecked());
    if (const auto range = EditedPeriods::range(m_cbxDatVystObdobi->currentIndex(), Clock::current().today())) {
        const LocaleFormats &locale = LocaleFormats::current();
        m_edtDatumVystOd->setText(locale.formatDate(range->first));
        m_edtDatumVystDo->setText(locale.formatDate(range->second));
    }
}

bool TfrmVyberModulu::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *edit = qobject_cast<QLineEdit *>(watched);
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool character = !key->text().isEmpty() && key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab &&
                               key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter &&
                               key->key() != Qt::Key_Escape;
        if (edit && character) {
            const bool filterDate = edit == m_edtDatumVystOd || edit == m_edtDatumVystDo;
            if (filterDate)
                m_cbxDatVystObdobi->setCurrentIndex(0);
            if (key->key() == Qt::Key_Space && (filterDate || edit == m_edtZmenaOd)) {
                edit->setText(LocaleFormats::current().formatDate(Clock::current().today()));
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmVyberModulu::openCalendar(QLineEdit *edit)
{
    if (edit == m_edtDatumVystOd || edit == m_edtDatumVystDo)
        m_cbxDatVystObdobi->setCurrentIndex(0);
    // A popup, not a modal window: it closes on the first click elsewhere.
    auto *calendar = new QCalendarWidget(this);
    calendar->setObjectName(u"calKalendar"_s);
    calendar->setWindowFlag(Qt::Popup);
    calendar->setAttribute(Qt::WA_DeleteOnClose);
    calendar->setSelectedDate(parsedDate(edit).value_or(Clock::current().today()));
    connect(calendar, &QCalendarWidget::clicked, this, [calendar, edit](const QDate &date) {
        edit->setText(LocaleFormats::current().formatDate(date));
        calendar->close();
    });
    calendar->move(edit->mapToGlobal(QPoint(0, edit->height())));
    calendar->show();
}

void TfrmVyberModulu::okClicked()
{
    if (m_chckDatVystaveni->isChecked()) {
        if (!parsedDate(m_edtDatumVystOd)) {
            ui().warning(u"Datum vystavení OD nebyl zadán nebo má chybný formát."_s);
            return;
        }
        if (!parsedDate(m_edtDatumVystDo)) {
            ui().warning(u"Datum vystavení DO nebyl zadán nebo má chybný formát."_s);
            return;
        }
    }
    if (m_chckUseZmenaOd->isChecked() && !parsedDate(m_edtZmenaOd)) {
        ui().warning(u"Datum Změna od nebyl zadán nebo má chybný formát."_s);
        return;
    }
    accept();
}
