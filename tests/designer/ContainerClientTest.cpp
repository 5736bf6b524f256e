#include "designer/LXControlsContainer.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QPointer>
#include <gtest/gtest.h>

namespace
{

// The surface's client is as large as the controls on it: a control that
// reaches beyond widens it at once; moving the outermost control in or
// removing it shrinks it once the command has returned.
TEST(ContainerClientTest, ExtentFollowsTheOutermostControl)
{
    TLXControlsContainer container(nullptr, nullptr);
    container.resize(100, 100);
    container.show();
    QWidget *client = container.widget();
    auto *near = new QWidget(client);
    near->setGeometry(10, 10, 20, 20);
    auto *far = new QWidget(client);
    far->setGeometry(10, 10, 20, 20);
    near->show();
    far->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(client->minimumSize(), QSize(30, 30));

    far->move(300, 200);
    EXPECT_EQ(client->minimumSize(), QSize(320, 220));
    far->resize(40, 5);
    QCoreApplication::processEvents();
    EXPECT_EQ(client->minimumSize(), QSize(340, 205));

    far->move(0, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(client->minimumSize(), QSize(40, 30));

    near->move(50, 60);
    EXPECT_EQ(client->minimumSize(), QSize(70, 80));
    delete near;
    QCoreApplication::processEvents();
    EXPECT_EQ(client->minimumSize(), QSize(40, 5));
}

// Replacing a design destroys the list and combo box views of the old one at
// once, and their selection models with them, not in some later turn of the
// event loop.
TEST(ContainerClientTest, ReplacedDesignLeavesNoSelectionModelBehind)
{
    TLXControlsContainer container(nullptr, nullptr);
    QWidget *client = container.widget();
    new QListWidget(client);
    auto *combo = new QComboBox(client);
    combo->setEditable(true);
    combo->addItem(QStringLiteral("item"));
    QList<QPointer<QItemSelectionModel>> selections;
    for (QItemSelectionModel *s : client->findChildren<QItemSelectionModel *>())
        selections.append(s);
    ASSERT_GE(selections.size(), 2);

    container.BeginReplace();
    container.CommitReplace();
    EXPECT_NE(container.widget(), client);
    for (const QPointer<QItemSelectionModel> &s : selections)
        EXPECT_TRUE(s.isNull());
}

} // namespace
