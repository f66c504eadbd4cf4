#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "datafolder.h"
#include "dialogabout.h"
#include "dialogsettings.h"
#include "framepanel.h"
#include "windowlayout.h"

#include "browser/prompt.h"
#include "database/createdatabase.h"
#include "database/databaseerror.h"
#include "database/definitionsdatabase.h"
#include "records/coordsysinfoxml.h"
#include "values/geoidregistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QSplitter>
#include <QSqlError>
#include <QSysInfo>

namespace {

const QString lastDatabaseKey = QStringLiteral("/Settings/LastDatabasePath");
const QString errorTitle = QStringLiteral("Ошибка");

const char* const hotKeyLines[] = {
    "\nCtrl+Insert\t вставить строку в список точек",
    "\nCtrl+Delete\t удалить строку из списка точек",
    "\nCtrl+N\t\t подсчет строк в списке точек",
    "\nCtrl+I\t\t поиск некорректных строк",
    "\nCtrl+D\t\t удалить некорректные строки",
    "\nCtrl+E\t\t удалить пустые строки",
    "\nCtrl+U\t\t поменять списки точек местами",
};

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
    , m_settings(QCoreApplication::organizationName(), QCoreApplication::applicationName())
    , m_geoids(readCoordSysInfo)
{
    ui->setupUi(this);
    m_leftPanel = new FramePanel(true, this);
    m_rightPanel = new FramePanel(false, this);
    createMenus();
    for (FramePanel* panel : {m_leftPanel, m_rightPanel}) {
        connect(panel, &FramePanel::signalCalculate, this, &MainWindow::slotCalculate);
        connect(panel, &FramePanel::signalSwap, this, &MainWindow::slotSwap);
        connect(panel, &FramePanel::signalCoordsysSelected, this, &MainWindow::slotCoordsysSelected);
    }

    m_statusLabel = new QLabel();
    ui->statusBar->addWidget(m_statusLabel);
    m_splitter = new QSplitter(Qt::Horizontal, ui->centralWidget);
    m_splitter->setChildrenCollapsible(false);
    ui->gridLayout->addWidget(m_splitter);
    m_splitter->addWidget(m_leftPanel);
    m_splitter->addWidget(m_rightPanel);
    restoreWindowLayout(*this, layoutSplitters(), m_settings);

    prepareConnection();
    if (!openLastDatabase())
        slotOpenDatabase();
    m_geoids.readXml(dataDirPath().toStdString(), "data.xml");
    if (!m_geoids.readFault().isEmpty())
        prompt().warning(this, errorTitle, m_geoids.readFault());
    else if (!m_geoids.readWarning().isEmpty())
        prompt().warning(this, QStringLiteral("Предупреждение"), m_geoids.readWarning());
    setGeoidRegistry(&m_geoids);
    ui->mainToolBar->hide();
}

MainWindow::~MainWindow()
{
    if (geoidRegistry() == &m_geoids)
        setGeoidRegistry(nullptr);
    if (m_database.isOpen())
        m_database.close();
    delete ui;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    saveWindowLayout(*this, layoutSplitters(), m_settings);
    QMainWindow::closeEvent(event);
}

// The splitter of the panels, then those inside the left and the right panel.
QList<QSplitter*> MainWindow::layoutSplitters() const
{
    return QList<QSplitter*>{m_splitter} + m_leftPanel->findChildren<QSplitter*>()
           + m_rightPanel->findChildren<QSplitter*>();
}

// The file is checked on a connection of its own first, so a file that is refused leaves the
// open database and both panels as they were.
bool MainWindow::openDatabase(const QString& path)
{
    if (path.isEmpty() || !checkDatabaseFile(path))
        return false;
    const QString previous = m_database.isOpen() ? m_database.databaseName() : QString();
    closeDatabase();
    if (!connectTo(path)) {
        prompt().warning(this, errorTitle, databaseErrorText(m_database.lastError()));
        if (!previous.isEmpty())
            connectTo(previous);
        return false;
    }
    m_settings.setValue(lastDatabaseKey, path);
    return true;
}

bool MainWindow::checkDatabaseFile(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        prompt().warning(this, errorTitle, QStringLiteral("Файл не существует: ") + path);
        return false;
    }
    QString reason;
    if (isDefinitionsDatabaseFile(path, &reason))
        return true;
    prompt().warning(this, errorTitle, QStringLiteral("Не удалось открыть базу данных: %1\n%2").arg(path, reason));
    return false;
}

bool MainWindow::openLastDatabase()
{
    closeDatabase();
    const QString path = m_settings.value(lastDatabaseKey, QString()).toString();
    if (path.isEmpty() || !QFileInfo(path).isFile() || !isDefinitionsDatabaseFile(path))
        return false;
    return connectTo(path);
}

void MainWindow::closeDatabase()
{
    if (m_database.isOpen())
        m_database.close();
    m_statusLabel->clear();
    m_leftPanel->resetCoordsys();
    m_rightPanel->resetCoordsys();
}

QString MainWindow::dataDirPath() const
{
    return dataFolderPath();
}

FramePanel* MainWindow::leftPanel() const
{
    return m_leftPanel;
}

FramePanel* MainWindow::rightPanel() const
{
    return m_rightPanel;
}

void MainWindow::slotSwap()
{
    const CPointRows leftRows = m_leftPanel->getRows();
    const CPointRows rightRows = m_rightPanel->getRows();
    m_leftPanel->setRows(rightRows, QString());
    m_rightPanel->setRows(leftRows, QString());
}

void MainWindow::slotCoordsysSelected()
{
    const bool enabled = m_leftPanel->hasCoordsys() && m_rightPanel->hasCoordsys();
    m_leftPanel->setCalculateEnabled(enabled);
    m_rightPanel->setCalculateEnabled(enabled);
    m_leftCalculateAction->setEnabled(enabled);
    m_rightCalculateAction->setEnabled(enabled);
}

void MainWindow::slotOpenDatabase()
{
    const QString path = prompt().getOpenFileName(this, QStringLiteral("Открыть базу данных"), databaseDialogPath(),
                                                  QStringLiteral("*.db"));
    if (!path.isEmpty())
        openDatabase(path);
}

void MainWindow::slotCloseDatabase()
{
    closeDatabase();
}

void MainWindow::slotCreateDatabase()
{
    guardSlot(this, [this] { createDatabase(); });
}

void MainWindow::slotSettings()
{
    DialogSettings::execute();
}

void MainWindow::slotHelp()
{
    const QFileInfoList files = QDir(QCoreApplication::applicationDirPath())
                                    .entryInfoList({QStringLiteral("quarvel_??.pdf")},
                                                   QDir::Files | QDir::NoSymLinks | QDir::NoDotAndDotDot,
                                                   QDir::Name | QDir::IgnoreCase);
    if (files.isEmpty()) {
        prompt().warning(this, errorTitle, QStringLiteral("Файл справки не найден"));
        return;
    }
    const QString path = files.first().absoluteFilePath();
    if (prompt().openDocument(path))
        return;
    prompt().warning(this, QStringLiteral("Предупреждение"),
                     QStringLiteral("Не удалось открыть файл справки:\n%1\nВ системе не найдена программа для его просмотра.")
                         .arg(QDir::toNativeSeparators(path)));
}

void MainWindow::slotHotKeys()
{
    QString text;
    for (const char* line : hotKeyLines)
        text += QString::fromUtf8(line);
    prompt().about(nullptr, QStringLiteral("Список горячих клавиш"), text);
}

void MainWindow::slotAbout()
{
    DialogAbout::execute();
}

// The default connection with the program's parameters; the one made earlier is reused.
void MainWindow::prepareConnection()
{
    m_database = QSqlDatabase::contains() ? QSqlDatabase::database(QSqlDatabase::defaultConnection, false)
                                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    m_database.setUserName(QStringLiteral("VELMORAN"));
    m_database.setHostName(QSysInfo::machineHostName());
    m_database.setPassword(QStringLiteral("BRISKOLT"));
}

// Opens the file on the default connection and shows its path; false when it does not open.
bool MainWindow::connectTo(const QString& path)
{
    prepareConnection();
    m_database.setDatabaseName(path);
    if (!m_database.open())
        return false;
    m_statusLabel->setText(path);
    return true;
}

// The last database file itself, or the data folder when none is recorded.
QString MainWindow::databaseDialogPath() const
{
    const QString last = m_settings.value(lastDatabaseKey, QString()).toString();
    return last.isEmpty() ? dataDirPath() : QFileInfo(last).absoluteFilePath();
}

void MainWindow::createDatabase()
{
    QString path = prompt().getSaveFileName(this, QStringLiteral("Создать базу данных"), databaseDialogPath(),
                                            QStringLiteral("*.db"), QStringLiteral("db"),
                                            QFileDialog::DontUseNativeDialog);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".db");
    QString error;
    if (!::createDatabase(path, QStringLiteral("Пользовательская"), QStringLiteral("Создана пользователем"), &error)) {
        prompt().warning(this, errorTitle, error);
        return;
    }
    openDatabase(path);
}
