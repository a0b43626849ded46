#include "VariableStore.h"

VariableStore& variableStore() {
    static VariableStore store;
    return store;
}

double* createVariable(const char* a_szName, void* /*a_pUserData*/) {
    double& value = variableStore()[std::string_view(a_szName)];
    value = 0.0;
    return &value;
}
