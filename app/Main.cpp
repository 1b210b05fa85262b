// Process entry. The window set arrives with the window core.
int main()
{
    return 0;
}
