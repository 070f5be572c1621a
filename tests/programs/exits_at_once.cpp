// Ends at once, with a status that nobody should read.
int main()
{
    return 7;
}
