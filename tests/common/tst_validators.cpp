#include <QTest>
class TstValidators : public QObject { Q_OBJECT };
QTEST_MAIN(TstValidators)
#include "tst_validators.moc"
