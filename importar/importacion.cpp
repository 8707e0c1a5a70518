// placeholder, replaced by the import
