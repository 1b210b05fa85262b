#include <cstdio>

int main()
{
    std::fputs("lumo-skin: no commands yet\n", stderr);
    return 1;
}
