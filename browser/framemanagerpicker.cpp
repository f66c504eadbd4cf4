#include "framemanagerpicker.h"
#include "ui_framemanagerpicker.h"

#include "browser/dialoglistselector.h"
#include "browser/namefield.h"
#include "values/geoidlist.h"
#include "values/geoidregistry.h"

#include <QBoxLayout>

#include <iterator>

namespace {

const int noChoice = -1;

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), int(text.size()));
}

} // namespace

FrameManagerPicker::FrameManagerPicker(int kind, const QString& headerText, int direction, QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::FrameManagerPicker)
{
    Q_UNUSED(kind)
    ui->setupUi(this);
    m_nameField = new CNameField(ui->editName);
    clear();
    setDirection(direction);
    setHeaderText(headerText);
    connect(ui->buttonPick, &QToolButton::clicked, this, &FrameManagerPicker::slotPick);
}

FrameManagerPicker::~FrameManagerPicker()
{
    delete ui;
}

QString FrameManagerPicker::id() const
{
    return m_id;
}

QString FrameManagerPicker::name() const
{
    return m_name;
}

bool FrameManagerPicker::setId(const QString& id)
{
    m_id = id;
    if (!id.isEmpty())
        return load();
    clear();
    return false;
}

bool FrameManagerPicker::load()
{
    const CGeoidList* registry = geoidRegistry();
    if (!registry) {
        clear();
        return false;
    }
    const auto& entries = registry->getEntries();
    const auto found = entries.find(m_id.toStdString());
    if (found == entries.end()) {
        clear();
        return false;
    }
    m_name = fromUtf8(found->second.Name);
    m_nameField->setName(m_name);
    return true;
}

void FrameManagerPicker::clear()
{
    m_id.clear();
    m_name.clear();
    m_nameField->clear();
}

void FrameManagerPicker::setDirection(int direction)
{
    if (auto* box = qobject_cast<QBoxLayout*>(layout()))
        box->setDirection(static_cast<QBoxLayout::Direction>(direction));
}

void FrameManagerPicker::setHeaderText(const QString& text)
{
    ui->labelHeader->setText(text);
    ui->labelHeader->setVisible(!text.isEmpty());
}

void FrameManagerPicker::slotPick()
{
    const CGeoidList* registry = geoidRegistry();
    if (!registry)
        return;
    const auto& entries = registry->getEntries();
    QMap<int, QString> names;
    for (const auto& entry : entries)
        names.insert(names.size(), fromUtf8(entry.second.Name));
    const int chosen = DialogListSelector::select(names, noChoice, 0);
    if (chosen == noChoice || chosen >= int(entries.size()))
        return;
    m_id = fromUtf8(std::next(entries.begin(), chosen)->first);
    load();
    emit picked(m_id);
}
