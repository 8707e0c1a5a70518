// placeholder, replaced by the export
