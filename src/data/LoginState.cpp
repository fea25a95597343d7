#include "data/LoginState.h"

LoginState& Login()
{
    static LoginState state;
    return state;
}
