// The module holds resources only.
