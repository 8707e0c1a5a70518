{ SPDX-License-Identifier: EUPL-1.2 }
{ thn-tdbf: writes and dumps dBASE tables with Free Pascal's TDbf, so that
  the tests can cross-check the engine of dbf/ against another
  implementation.

    thn-tdbf escribir NIVEL RUTA   < lines
    thn-tdbf volcar RUTA           > lines

  Line format (both directions; bytes pass through unchanged, so values may
  carry Windows-1252 text):
    first line: field definitions separated by ';', each NAME:TYPE[:LEN[:DEC]]
                with TYPE a dBASE letter (C N F L D I O + @ B Y M);
                LEN is required for C, N and F; DEC defaults to 0.
                Example: DIA:N:9:0;HORA:F:18:8;ASIG:C:10;ESTAREA:L;ORDEN:I;HORAS:O
    then:       one record a line, values separated by TAB, a lone \N for NULL.
  Values: numbers with '.', logical T/F (also t Y y / f N n), dates YYYYMMDD.
  volcar prints the field list in the same form (as TDbf stores it), then
  each live record as TDbf reads it: AsString, except logical as T/F,
  floats in shortest form with '.', dates as YYYYMMDD.
  NIVEL is TDbf's TableLevel: 3, 4, 7, 25 (FoxPro) or 30 (Visual FoxPro).
  Exit status: 0 done, 1 failure (message on stderr), 2 bad usage. }
program thn_tdbf;

{$mode objfpc}{$H+}

uses
  SysUtils, Classes, db, dbf, dbf_fields, dbf_common;

type
  TPartes = array of RawByteString;

var
  FS: TFormatSettings;

procedure Uso;
begin
  WriteLn(StdErr, 'uso: thn-tdbf escribir NIVEL RUTA < lineas');
  WriteLn(StdErr, '     thn-tdbf volcar RUTA');
  Halt(2);
end;

function Partir(const S: RawByteString; Sep: AnsiChar): TPartes;
var
  I, Inicio, N: Integer;
begin
  Result := nil;
  N := 0;
  Inicio := 1;
  for I := 1 to Length(S) + 1 do
    if (I > Length(S)) or (S[I] = Sep) then
    begin
      SetLength(Result, N + 1);
      Result[N] := Copy(S, Inicio, I - Inicio);
      Inc(N);
      Inicio := I + 1;
    end;
end;

function LeerLinea(var L: RawByteString): Boolean;
begin
  Result := not EOF(Input);
  if Result then
  begin
    ReadLn(Input, L);
    if (Length(L) > 0) and (L[Length(L)] = #13) then
      SetLength(L, Length(L) - 1);
  end;
end;

function VersionDeNivel(Nivel: Integer): TXBaseVersion;
begin
  case Nivel of
    3: Result := xBaseIII;
    4: Result := xBaseIV;
    5: Result := xBaseIV;  { as TDbf itself maps level 5 }
    7: Result := xBaseVII;
    25: Result := xFoxPro;
    30: Result := xVisualFoxPro;
  else
    raise Exception.CreateFmt('nivel de tabla no admitido: %d', [Nivel]);
  end;
end;

procedure Asignar(Campo: TField; Tipo: Char; const Valor: RawByteString);
var
  A, M, D: Word;
begin
  if Valor = '\N' then
  begin
    Campo.Clear;
    Exit;
  end;
  if Campo is TBooleanField then
    Campo.AsBoolean := (Valor <> '') and (Valor[1] in ['T', 't', 'Y', 'y'])
  else if Campo is TLargeintField then
    Campo.AsLargeInt := StrToInt64(Valor)
  else if (Campo is TIntegerField) or (Campo is TSmallintField) or (Campo is TWordField) then
    Campo.AsInteger := StrToInt(Valor)
  else if Campo is TBCDField then
    Campo.AsCurrency := StrToCurr(Valor, FS)
  else if Campo is TFloatField then
    Campo.AsFloat := StrToFloat(Valor, FS)
  else if (Campo is TDateField) or (Campo is TDateTimeField) then
  begin
    A := StrToInt(Copy(Valor, 1, 4));
    M := StrToInt(Copy(Valor, 5, 2));
    D := StrToInt(Copy(Valor, 7, 2));
    Campo.AsDateTime := EncodeDate(A, M, D);
  end
  else if Tipo = 'C' then
    Campo.AsAnsiString := Valor
  else
    Campo.AsString := Valor;
end;

procedure Escribir(Nivel: Integer; const Ruta: string);
var
  Tabla: TDbf;
  Defs: TDbfFieldDefs;
  Linea: RawByteString;
  Definiciones, Partes, Valores: TPartes;
  Tipos: array of Char;
  I: Integer;
begin
  if not LeerLinea(Linea) then
    raise Exception.Create('falta la línea de definición de campos');
  Definiciones := Partir(Linea, ';');
  SetLength(Tipos, Length(Definiciones));
  Tabla := TDbf.Create(nil);
  Defs := TDbfFieldDefs.Create(nil);
  try
    Defs.DbfVersion := VersionDeNivel(Nivel);
    for I := 0 to High(Definiciones) do
    begin
      Partes := Partir(Definiciones[I], ':');
      if (Length(Partes) < 2) or (Length(Partes[1]) <> 1) then
        raise Exception.CreateFmt('definición de campo no válida: %s', [Definiciones[I]]);
      Tipos[I] := UpCase(Partes[1][1]);
      with Defs.AddFieldDef do
      begin
        FieldName := Partes[0];
        NativeFieldType := Tipos[I];
        if Length(Partes) >= 3 then
          Size := StrToInt(Partes[2]);
        if Length(Partes) >= 4 then
          Precision := StrToInt(Partes[3]);
      end;
    end;
    Tabla.TableLevel := Nivel;
    Tabla.FilePathFull := ExtractFilePath(ExpandFileName(Ruta));
    Tabla.TableName := ExtractFileName(Ruta);
    Tabla.Exclusive := True;
    Tabla.CreateTableEx(Defs);
    Tabla.Open;
    while LeerLinea(Linea) do
    begin
      Valores := Partir(Linea, #9);
      if Length(Valores) <> Length(Definiciones) then
        raise Exception.CreateFmt('el registro tiene %d valores y hay %d campos',
          [Length(Valores), Length(Definiciones)]);
      Tabla.Append;
      for I := 0 to High(Valores) do
        Asignar(Tabla.Fields[I], Tipos[I], Valores[I]);
      Tabla.Post;
    end;
    Tabla.Close;
  finally
    Defs.Free;
    Tabla.Free;
  end;
end;

procedure Volcar(const Ruta: string);
var
  Tabla: TDbf;
  I: Integer;
  Def: TDbfFieldDef;
  Linea, Valor: RawByteString;
  Campo: TField;
begin
  Tabla := TDbf.Create(nil);
  try
    Tabla.FilePathFull := ExtractFilePath(ExpandFileName(Ruta));
    Tabla.TableName := ExtractFileName(Ruta);
    Tabla.ReadOnly := True;
    Tabla.Open;
    Linea := '';
    for I := 0 to Tabla.DbfFieldDefs.Count - 1 do
    begin
      Def := Tabla.DbfFieldDefs.Items[I];
      if Def.IsSystemField then
        Continue;
      if Linea <> '' then
        Linea := Linea + ';';
      Linea := Linea + Def.FieldName + ':' + Def.NativeFieldType + ':' +
        IntToStr(Def.Size) + ':' + IntToStr(Def.Precision);
    end;
    WriteLn(Linea);
    Tabla.First;
    while not Tabla.EOF do
    begin
      Linea := '';
      for I := 0 to Tabla.FieldCount - 1 do
      begin
        Campo := Tabla.Fields[I];
        if Campo.IsNull then
          Valor := '\N'
        else if Campo is TBooleanField then
        begin
          if Campo.AsBoolean then Valor := 'T' else Valor := 'F';
        end
        else if (Campo is TFloatField) and not (Campo is TBCDField) then
          Valor := FloatToStr(Campo.AsFloat, FS)
        else if Campo is TDateField then
          Valor := FormatDateTime('yyyymmdd', Campo.AsDateTime)
        else if Campo is TStringField then
          Valor := Campo.AsAnsiString
        else
          Valor := Campo.AsString;
        if I > 0 then
          Linea := Linea + #9;
        Linea := Linea + Valor;
      end;
      WriteLn(Linea);
      Tabla.Next;
    end;
    Tabla.Close;
  finally
    Tabla.Free;
  end;
end;

begin
  FS := DefaultFormatSettings;
  FS.DecimalSeparator := '.';
  FS.ThousandSeparator := #0;
  DefaultFormatSettings := FS;
  try
    if (ParamCount = 3) and (ParamStr(1) = 'escribir') then
      Escribir(StrToInt(ParamStr(2)), ParamStr(3))
    else if (ParamCount = 2) and (ParamStr(1) = 'volcar') then
      Volcar(ParamStr(2))
    else
      Uso;
  except
    on E: Exception do
    begin
      WriteLn(StdErr, 'thn-tdbf: ', E.ClassName, ': ', E.Message);
      Halt(1);
    end;
  end;
end.
