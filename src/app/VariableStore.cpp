#include "VariableStore.h"

double* createVariable(const char* /*a_szName*/, void* a_pUserData) {
    return static_cast<VariableStore*>(a_pUserData)->create();
}
