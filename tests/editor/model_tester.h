#pragma once

// Puts every item model shown under a widget through QAbstractItemModelTester, which
// checks the model's answers and signals on every change and fails the running test when
// one breaks the item-model contract.
#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QWidget>

inline void testItemModels(QWidget* root) {
    for (QAbstractItemView* view : root->findChildren<QAbstractItemView*>()) {
        QAbstractItemModel* model = view->model();
        if (!model || model->property("modelTested").toBool()) continue;
        model->setProperty("modelTested", true);
        new QAbstractItemModelTester(model, QAbstractItemModelTester::FailureReportingMode::QtTest,
                                     model);
    }
}
