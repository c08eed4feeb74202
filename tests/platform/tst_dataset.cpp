#include <QtTest>
#include "platform/dataset/dataset.h"
class TestDataSet : public QObject { Q_OBJECT
private slots:
  void placeholder() { DataSet d("x"); QVERIFY(!d.isActive()); }
};
QTEST_GUILESS_MAIN(TestDataSet)
#include "tst_dataset.moc"
