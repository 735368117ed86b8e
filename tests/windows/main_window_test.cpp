#include "window_test_support.h"
class T : public QObject {
    Q_OBJECT
};
DEALWISE_WINDOW_TEST_MAIN(T)
#include "main_window_test.moc"
