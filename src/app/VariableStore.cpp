#include "VariableStore.h"

QMap<QString, double>& variableStore() {
    static QMap<QString, double> store;
    return store;
}

double* createVariable(const char* a_szName, void* /*a_pUserData*/) {
    double& value = variableStore()[QString::fromLatin1(a_szName)];
    value = 0.0;
    return &value;
}
