<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>UserMessages</name>
    <message>
        <location filename="../src/gui/mainwindow/UserMessages.cpp" line="15"/>
        <source>vexlo定石辞典</source>
        <translation>Vexlo Joseki Dictionary</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/UserMessages.cpp" line="43"/>
        <source>予期しないエラーが発生しました</source>
        <translation>An unexpected error occurred</translation>
    </message>
</context>
<context>
    <name>vxlo</name>
    <message>
        <location filename="../src/navigation/Navigation.h" line="93"/>
        <source>禁じ手：打ったと同時に取られてしまう手</source>
        <translation>Illegal move: suicide</translation>
    </message>
    <message>
        <location filename="../src/navigation/Navigation.h" line="95"/>
        <source>禁じ手：コウはすぐ取り返せません</source>
        <translation>Illegal move: the ko cannot be retaken at once</translation>
    </message>
    <message>
        <location filename="../src/navigation/Navigation.h" line="98"/>
        <source>記録 %1 の点 (%2, %3) は盤の外にあるため、候補に表示しません</source>
        <translation>The point (%2, %3) of record %1 is off the board; it is not shown as a candidate</translation>
    </message>
    <message>
        <location filename="../src/navigation/Navigation.h" line="100"/>
        <source>まずファイルを開いてください</source>
        <translation>Open a dictionary first</translation>
    </message>
    <message>
        <location filename="../src/import/ReadInput.h" line="15"/>
        <source>取り込める棋譜ファイル（IG1、SGF）ではありません</source>
        <translation>Not a game record that can be imported (IG1, SGF)</translation>
    </message>
    <message>
        <location filename="../src/import/ReadInput.h" line="17"/>
        <source>取り込める棋譜ファイルがありません</source>
        <translation>No game record to import</translation>
    </message>
    <message>
        <location filename="../src/cli/CornerCommands.cpp" line="22"/>
        <location filename="../src/companion/ReviewRun.cpp" line="18"/>
        <source>辞書にない手です：%1</source>
        <translation>Not a move of the dictionary: %1</translation>
    </message>
    <message>
        <location filename="../src/core/VxloError.cpp" line="11"/>
        <source>&apos;%1&apos; は整数ではありません</source>
        <translation>&apos;%1&apos; is not an integer</translation>
    </message>
    <message>
        <location filename="../src/core/VxloError.cpp" line="15"/>
        <source>&apos;%1&apos; は整数ではありません（%2 行目）</source>
        <translation>&apos;%1&apos; is not an integer (line %2)</translation>
    </message>
    <message>
        <location filename="../src/core/VxloError.cpp" line="56"/>
        <source>ファイルが見つかりません</source>
        <translation>File not found</translation>
    </message>
    <message>
        <location filename="../src/core/VxloError.cpp" line="61"/>
        <source>不正なファイル名です</source>
        <translation>Invalid file name</translation>
    </message>
    <message>
        <location filename="../src/core/VxloError.cpp" line="64"/>
        <source>オープンしたファイルが多すぎます</source>
        <translation>Too many open files</translation>
    </message>
    <message>
        <location filename="../src/core/VxloError.cpp" line="69"/>
        <source>ファイルへのアクセスが拒否されました</source>
        <translation>Access to the file was denied</translation>
    </message>
    <message>
        <location filename="../src/core/VxloError.cpp" line="71"/>
        <source>ファイルの末尾以降を読み込みました</source>
        <translation>Read past the end of the file</translation>
    </message>
    <message>
        <location filename="../src/core/VxloError.cpp" line="75"/>
        <source>ディスクがいっぱいです</source>
        <translation>The disk is full</translation>
    </message>
    <message>
        <location filename="../src/core/VxloError.cpp" line="77"/>
        <source>I/O エラー (%1)</source>
        <translation>I/O error (%1)</translation>
    </message>
    <message>
        <location filename="../src/core/VxloError.cpp" line="82"/>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <location filename="../src/core/VxloError.h" line="28"/>
        <source>範囲チェックエラー</source>
        <translation>Range check error</translation>
    </message>
    <message>
        <location filename="../src/dictionary/Fjsk.h" line="30"/>
        <source>候補を最後まで読み込めなかったため、この局面には追加も削除もできません</source>
        <translation>Not all candidates could be read, so nothing can be added or deleted in this position</translation>
    </message>
    <message>
        <location filename="../src/dictionary/RecordFile.cpp" line="49"/>
        <source>この定石ファイルは他のプログラムが開いています</source>
        <translation>The dictionary is open in another program</translation>
    </message>
    <message>
        <location filename="../src/import/CornerMatch.cpp" line="19"/>
        <source>棋譜として読めません</source>
        <translation>Cannot read it as a game record</translation>
    </message>
    <message>
        <location filename="../src/import/FolderWalk.cpp" line="114"/>
        <source>取り込めなかったファイル: %1</source>
        <translation>Files not imported: %1</translation>
    </message>
    <message>
        <location filename="../src/import/FolderWalk.cpp" line="123"/>
        <source>取り込んだファイル: %1 / %2</source>
        <translation>Files imported: %1 of %2</translation>
    </message>
    <message>
        <location filename="../src/import/SgfCommentStore.cpp" line="10"/>
        <source>%1。SGF のコメントは保存されませんでした（マージした手は定石ファイルに残っています）</source>
        <translation>%1. The SGF comments were not saved (the merged moves are in the dictionary)</translation>
    </message>
    <message>
        <location filename="../src/import/SgfExport.cpp" line="236"/>
        <source>書き出し先が定石ファイルそのものです</source>
        <translation>The target is the dictionary itself</translation>
    </message>
    <message>
        <location filename="../src/import/SgfExport.cpp" line="240"/>
        <source>書き出し先が定石ファイルのコメントファイルです</source>
        <translation>The target is the dictionary&apos;s comment file</translation>
    </message>
    <message>
        <location filename="../src/import/SgfExport.cpp" line="244"/>
        <source>書き出し先は SGF ファイルではないため、上書きしません</source>
        <translation>The target is not an SGF file: it is not overwritten</translation>
    </message>
    <message>
        <location filename="../src/import/SgfMerge.cpp" line="300"/>
        <source>19路盤の棋譜ではないため、マージしませんでした</source>
        <translation>Not merged: the game is not on a 19x19 board</translation>
    </message>
    <message>
        <location filename="../src/import/SgfMerge.cpp" line="303"/>
        <source>SGF をマージしました。追加した手: %1</source>
        <translation>SGF merged. Moves added: %1</translation>
    </message>
    <message>
        <location filename="../src/import/SgfMerge.cpp" line="305"/>
        <source>（うち手抜き %1）</source>
        <translation> (%1 of them tenuki)</translation>
    </message>
    <message>
        <location filename="../src/import/SgfMerge.cpp" line="306"/>
        <source>、コメント: %1</source>
        <translation>, comments: %1</translation>
    </message>
    <message>
        <location filename="../src/import/SgfMerge.cpp" line="307"/>
        <source>、マーク: %1</source>
        <translation>, marks: %1</translation>
    </message>
    <message>
        <location filename="../src/import/SgfMerge.cpp" line="310"/>
        <source>文字コードの指定がないため、コメントなどの文字は推測して読みました</source>
        <translation>The file names no character set: comments and other text were read by a guess</translation>
    </message>
    <message>
        <location filename="../src/import/SgfMerge.cpp" line="321"/>
        <source>、%1</source>
        <translation>, %1</translation>
    </message>
    <message>
        <location filename="../src/import/SgfMerge.cpp" line="324"/>
        <source>置き石・配置 %1</source>
        <translation>setup stones %1</translation>
    </message>
    <message>
        <location filename="../src/import/SgfMerge.cpp" line="325"/>
        <source>着手禁止 %1</source>
        <translation>illegal moves %1</translation>
    </message>
    <message>
        <location filename="../src/import/SgfMerge.cpp" line="326"/>
        <source>候補手30・400手の上限 %1</source>
        <translation>limits of 30 candidates and 400 moves %1</translation>
    </message>
    <message>
        <location filename="../src/import/SgfMerge.cpp" line="328"/>
        <source>取り込まなかった変化: %1（%2）</source>
        <translation>Variations left out: %1 (%2)</translation>
    </message>
    <message>
        <location filename="../src/import/SgfReader.cpp" line="12"/>
        <source>SGF の形式が正しくありません（%1 バイト目）: %2</source>
        <translation>The SGF file is damaged (byte %1): %2</translation>
    </message>
    <message>
        <location filename="../src/import/SgfReader.cpp" line="151"/>
        <source>&apos;)&apos; がありません</source>
        <translation>&apos;)&apos; is missing</translation>
    </message>
    <message>
        <location filename="../src/import/SgfReader.cpp" line="155"/>
        <source>変化の入れ子が深すぎます</source>
        <translation>variations are nested too deeply</translation>
    </message>
    <message>
        <location filename="../src/import/SgfReader.cpp" line="169"/>
        <source>変化の後にプロパティがあります</source>
        <translation>a property follows a variation</translation>
    </message>
    <message>
        <location filename="../src/import/SgfReader.cpp" line="175"/>
        <source>予期しない文字があります</source>
        <translation>unexpected character</translation>
    </message>
    <message>
        <location filename="../src/import/SgfReader.cpp" line="193"/>
        <source>プロパティ %1 に値がありません</source>
        <translation>property %1 has no value</translation>
    </message>
    <message>
        <location filename="../src/import/SgfReader.cpp" line="216"/>
        <location filename="../src/import/SgfReader.cpp" line="224"/>
        <source>値を閉じる &apos;]&apos; がありません</source>
        <translation>no &apos;]&apos; closes the value</translation>
    </message>
    <message>
        <location filename="../src/import/SgfReader.cpp" line="300"/>
        <source>棋譜がありません</source>
        <translation>no game</translation>
    </message>
    <message>
        <location filename="../src/import/SgfReader.cpp" line="333"/>
        <source>文字コード %1 を読めません</source>
        <translation>cannot read the character set %1</translation>
    </message>
    <message>
        <location filename="../src/import/SgfReader.h" line="75"/>
        <source>SGF ファイルが大きすぎます（64 MB まで）</source>
        <translation>The SGF file is too large (64 MB at most)</translation>
    </message>
    <message>
        <location filename="../src/settings/IniFile.cpp" line="56"/>
        <source>設定ファイルが大きすぎます</source>
        <translation>The settings file is too large</translation>
    </message>
    <message>
        <location filename="../src/practice/PracticeBoard.h" line="13"/>
        <source>練習：この手は盤上に打てません</source>
        <translation>Practice: this move cannot be played on the board</translation>
    </message>
    <message>
        <location filename="../src/practice/PracticeRun.cpp" line="45"/>
        <source>練習 白  今日 %1問  ミス %2  期限 %3局面  </source>
        <translation>Practice as White  today %1 answered  %2 missed  %3 due  </translation>
    </message>
    <message>
        <location filename="../src/practice/PracticeRun.cpp" line="46"/>
        <source>練習 黒  今日 %1問  ミス %2  期限 %3局面  </source>
        <translation>Practice as Black  today %1 answered  %2 missed  %3 due  </translation>
    </message>
    <message>
        <location filename="../src/practice/PracticeRun.cpp" line="50"/>
        <source>正解（%1）  </source>
        <translation>Correct (%1)  </translation>
    </message>
    <message>
        <location filename="../src/practice/PracticeRun.cpp" line="52"/>
        <source>ミス（%1）  </source>
        <translation>Miss (%1)  </translation>
    </message>
    <message>
        <location filename="../src/practice/PracticeRun.cpp" line="56"/>
        <source>次の一手は？</source>
        <translation>Your move?</translation>
    </message>
    <message>
        <location filename="../src/practice/PracticeRun.cpp" line="59"/>
        <source>正解のどれかを打ってください</source>
        <translation>Play one of the correct moves</translation>
    </message>
    <message>
        <location filename="../src/practice/PracticeRun.cpp" line="63"/>
        <source>手順終了：ミスなし</source>
        <translation>Line done: no misses</translation>
    </message>
    <message>
        <location filename="../src/practice/PracticeRun.cpp" line="65"/>
        <source>手順終了：ミス%1</source>
        <translation>Line done: %1 missed</translation>
    </message>
    <message>
        <location filename="../src/practice/PracticeRun.cpp" line="67"/>
        <source>（クリックで次の手順）</source>
        <translation> (click for the next line)</translation>
    </message>
    <message>
        <location filename="../src/practice/PracticeRun.cpp" line="70"/>
        <source>期限の来た局面はありません</source>
        <translation>No positions are due</translation>
    </message>
    <message>
        <location filename="../src/practice/PracticeStore.cpp" line="12"/>
        <source>練習の記録を読み込めません</source>
        <translation>Cannot read the practice records</translation>
    </message>
    <message>
        <location filename="../src/practice/PracticeStore.cpp" line="13"/>
        <source>練習の記録を保存できません</source>
        <translation>Cannot save the practice records</translation>
    </message>
    <message>
        <location filename="../src/companion/CommentSearch.cpp" line="15"/>
        <source>コメントを検索できません</source>
        <translation>Cannot search the comments</translation>
    </message>
    <message>
        <location filename="../src/companion/CompanionDatabase.cpp" line="24"/>
        <source>コメントファイルを開けません</source>
        <translation>Cannot open the comment file</translation>
    </message>
    <message>
        <location filename="../src/companion/CompanionDatabase.cpp" line="27"/>
        <source>コメントファイルは他のプログラムが使用中です</source>
        <translation>The comment file is in use by another program</translation>
    </message>
    <message>
        <location filename="../src/companion/CompanionDatabase.cpp" line="29"/>
        <source>コメントファイルはこのプログラムのものではありません</source>
        <translation>The comment file is not one of this program&apos;s</translation>
    </message>
    <message>
        <location filename="../src/companion/CommentStore.cpp" line="11"/>
        <location filename="../src/companion/CompanionDatabase.cpp" line="26"/>
        <source>コメントファイルに書き込めません</source>
        <translation>Cannot write to the comment file</translation>
    </message>
    <message>
        <location filename="../src/companion/CommentStore.cpp" line="10"/>
        <location filename="../src/companion/CompanionDatabase.cpp" line="25"/>
        <source>コメントファイルを作成できません</source>
        <translation>Cannot create the comment file</translation>
    </message>
    <message>
        <location filename="../src/companion/CommentStore.cpp" line="12"/>
        <source>コメントを読み込めません</source>
        <translation>Cannot read the comment</translation>
    </message>
    <message>
        <location filename="../src/companion/CommentStore.cpp" line="13"/>
        <source>コメントを保存できません</source>
        <translation>Cannot save the comment</translation>
    </message>
    <message>
        <location filename="../src/cli/CornerCommands.cpp" line="23"/>
        <location filename="../src/companion/EvidenceStore.cpp" line="12"/>
        <location filename="../src/import/CornerImport.cpp" line="28"/>
        <source>対局数を保存できません</source>
        <translation>Cannot save the game counts</translation>
    </message>
    <message>
        <location filename="../src/import/CornerImport.cpp" line="25"/>
        <source>%1。最後にまとめた対局数は保存されませんでした（取り込んだ手は定石ファイルに残っています）</source>
        <translation>%1. The game counts of the last batch were not saved (the imported moves are in the dictionary)</translation>
    </message>
    <message>
        <location filename="../src/companion/EvidenceStore.cpp" line="13"/>
        <source>対局数を読み込めません</source>
        <translation>Cannot read the game counts</translation>
    </message>
    <message>
        <location filename="../src/companion/MarkupStore.cpp" line="12"/>
        <source>マークを保存できません</source>
        <translation>Cannot save the marks</translation>
    </message>
    <message>
        <location filename="../src/companion/MarkupStore.cpp" line="11"/>
        <source>マークを読み込めません</source>
        <translation>Cannot read the markup</translation>
    </message>
    <message>
        <location filename="../src/engine/EngineProcess.cpp" line="24"/>
        <source>エンジン %1 を起動できません</source>
        <translation>The engine %1 cannot be started</translation>
    </message>
    <message>
        <location filename="../src/engine/EngineProcess.cpp" line="26"/>
        <source>エンジンのコマンド行で引用符が閉じていません: %1</source>
        <translation>A quote is not closed in the engine&apos;s command line: %1</translation>
    </message>
    <message>
        <location filename="../src/engine/EngineMoves.cpp" line="11"/>
        <source>空の盤</source>
        <translation>the empty board</translation>
    </message>
    <message>
        <location filename="../src/engine/EngineClient.cpp" line="15"/>
        <source>エンジン %1 が終了しました（局面 %2）</source>
        <translation>The engine %1 has ended (position %2)</translation>
    </message>
    <message>
        <location filename="../src/engine/EngineClient.cpp" line="17"/>
        <source>エンジン %1 が %2 秒たっても答えません（局面 %3）</source>
        <translation>The engine %1 has not answered for %2 seconds (position %3)</translation>
    </message>
    <message>
        <location filename="../src/engine/EngineClient.cpp" line="19"/>
        <source>エンジン %1 の答えは解析エンジンの形式ではありません（局面 %2）</source>
        <translation>The answer of the engine %1 is not in the analysis engine&apos;s format (position %2)</translation>
    </message>
    <message>
        <location filename="../src/engine/EngineClient.cpp" line="20"/>
        <source>エンジン %1 が局面 %2 を受け付けません</source>
        <translation>The engine %1 does not accept the position %2</translation>
    </message>
    <message>
        <location filename="../src/engine/EngineClient.cpp" line="21"/>
        <source>（局面 %1）</source>
        <translation> (position %1)</translation>
    </message>
    <message>
        <location filename="../src/engine/EngineClient.cpp" line="23"/>
        <source>エンジン %1 の評価がどちらの側から見たものか分かりません（局面 %2）</source>
        <translation>It cannot be told from whose side the engine %1 reports its figures (position %2)</translation>
    </message>
    <message>
        <location filename="../src/companion/EngineReviewStore.cpp" line="10"/>
        <source>エンジンの評価を保存できません</source>
        <translation>Cannot save the engine&apos;s review</translation>
    </message>
    <message>
        <location filename="../src/companion/EngineReviewStore.cpp" line="11"/>
        <source>エンジンの評価を読み込めません</source>
        <translation>Cannot read the engine&apos;s review</translation>
    </message>
    <message>
        <location filename="../src/companion/GameStore.cpp" line="13"/>
        <source>対局を保存できません</source>
        <translation>Cannot save the games</translation>
    </message>
    <message>
        <location filename="../src/companion/GameStore.cpp" line="14"/>
        <source>対局を読み込めません</source>
        <translation>Cannot read the games</translation>
    </message>
    <message>
        <location filename="../src/dictionary/TreeIndex.cpp" line="26"/>
        <source>この定石ファイルの木は大きすぎて、メモリに収まりません</source>
        <translation>The tree of this dictionary is too large for the memory</translation>
    </message>
    <message>
        <location filename="../src/gui/records/frmJsk.cpp" line="20"/>
        <source>%1 行目の %2 (%3) は盤の外です。盤上は 1〜19、手抜きは X と Y がともに 0 です</source>
        <translation>Row %1: %2 (%3) is off the board. A point on the board is 1 to 19; a tenuki has X and Y both 0</translation>
    </message>
    <message>
        <location filename="../src/core/Progress.h" line="48"/>
        <source>中止しました。それまでの分は保存してあります</source>
        <translation>Cancelled. What was done before is saved</translation>
    </message>
    <message>
        <location filename="../src/core/Progress.h" line="57"/>
        <source>書き出しを中止しました。ファイルは書き出していません</source>
        <translation>Export cancelled. No file was written</translation>
    </message>
    <message>
        <location filename="../src/core/Progress.h" line="63"/>
        <source>中止しました</source>
        <translation>Cancelled</translation>
    </message>
    <message>
        <location filename="../src/settings/LabelNames.cpp" line="10"/>
        <source>定石</source>
        <translation>joseki</translation>
    </message>
    <message>
        <location filename="../src/settings/LabelNames.cpp" line="10"/>
        <source>悪手</source>
        <translation>mistake</translation>
    </message>
    <message>
        <location filename="../src/settings/LabelNames.cpp" line="10"/>
        <source>変化</source>
        <translation>variation</translation>
    </message>
    <message>
        <location filename="../src/settings/LabelNames.cpp" line="11"/>
        <source>はめ手</source>
        <translation>trick</translation>
    </message>
    <message>
        <location filename="../src/settings/LabelNames.cpp" line="11"/>
        <source>研究</source>
        <translation>question</translation>
    </message>
</context>
<context>
    <name>vxlo::TAboutBox</name>
    <message>
        <location filename="../src/gui/dialogs/About.cpp" line="33"/>
        <source>ﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/About.cpp" line="44"/>
        <source>Vexlo定石辞典</source>
        <translation>Vexlo Joseki Dictionary</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/About.cpp" line="52"/>
        <source>Version 5.0</source>
        <translation>Version 5.0</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/About.cpp" line="56"/>
        <source>このソフトはフリーです。</source>
        <translation>This software is free.</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/About.cpp" line="60"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>vxlo::TBanIsiColor</name>
    <message>
        <location filename="../src/gui/dialogs/BanIsi.cpp" line="59"/>
        <source>盤石の色</source>
        <translation>Board and stone colors</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/BanIsi.cpp" line="67"/>
        <source>盤の色</source>
        <translation>Board color</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/BanIsi.cpp" line="80"/>
        <source>石の色</source>
        <translation>Stone color</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/BanIsi.cpp" line="103"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>vxlo::TDirForm</name>
    <message>
        <location filename="../src/gui/import/SelDir.cpp" line="32"/>
        <source>すべてのﾌｧｲﾙ (*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <location filename="../src/gui/import/SelDir.cpp" line="64"/>
        <location filename="../src/gui/import/SelDir.cpp" line="225"/>
        <location filename="../src/gui/import/SelDir.cpp" line="241"/>
        <source>一括入力</source>
        <translation>Import folder</translation>
    </message>
    <message>
        <location filename="../src/gui/import/SelDir.cpp" line="92"/>
        <source>手まで</source>
        <translation>moves</translation>
    </message>
    <message>
        <location filename="../src/gui/import/SelDir.cpp" line="103"/>
        <source>下位のディレクトリ</source>
        <translation>Subfolders</translation>
    </message>
    <message>
        <location filename="../src/gui/import/SelDir.cpp" line="109"/>
        <source>隅の定形</source>
        <translation>Corners</translation>
    </message>
</context>
<context>
    <name>vxlo::TEngineSettingsDialog</name>
    <message>
        <location filename="../src/gui/dialogs/EngineSettingsDialog.cpp" line="32"/>
        <source>エンジンの設定</source>
        <translation>Engine settings</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/EngineSettingsDialog.cpp" line="35"/>
        <source>例: katago analysis -config 設定ファイル -model ネットワーク</source>
        <translation>e.g. katago analysis -config CONFIG -model NETWORK</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/EngineSettingsDialog.cpp" line="53"/>
        <source>コマンド</source>
        <translation>Command</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/EngineSettingsDialog.cpp" line="54"/>
        <source>探索数（局面ごと）</source>
        <translation>Visits (per position)</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/EngineSettingsDialog.cpp" line="55"/>
        <source>ルール</source>
        <translation>Rules</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/EngineSettingsDialog.cpp" line="56"/>
        <source>コミ</source>
        <translation>Komi</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/EngineSettingsDialog.cpp" line="57"/>
        <source>緑：損がこれ未満</source>
        <translation>Green: points lost below</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/EngineSettingsDialog.cpp" line="58"/>
        <source>黄：損がこれ未満、以上は赤</source>
        <translation>Yellow: points lost below, red above</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/EngineSettingsDialog.cpp" line="60"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/EngineSettingsDialog.cpp" line="62"/>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>vxlo::TEvidencePanel</name>
    <message>
        <location filename="../src/gui/mainwindow/EvidencePanel.cpp" line="15"/>
        <source>候補</source>
        <translation>Label</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/EvidencePanel.cpp" line="15"/>
        <source>手</source>
        <translation>Move</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/EvidencePanel.cpp" line="16"/>
        <source>対局</source>
        <translation>Games</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/EvidencePanel.cpp" line="16"/>
        <source>割合</source>
        <translation>Share</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/EvidencePanel.cpp" line="17"/>
        <source>勝率</source>
        <translation>Win rate</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/EvidencePanel.cpp" line="17"/>
        <source>損</source>
        <translation>Lost</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/EvidencePanel.cpp" line="31"/>
        <location filename="../src/gui/mainwindow/EvidencePanel.cpp" line="63"/>
        <source>Vexlo定石辞典 対局数</source>
        <translation>Vexlo Game Counts</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/EvidencePanel.cpp" line="52"/>
        <source>手抜き</source>
        <translation>Tenuki</translation>
    </message>
</context>
<context>
    <name>vxlo::TExplorerPanel</name>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="28"/>
        <source>左上</source>
        <translation>Top left</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="29"/>
        <source>右上</source>
        <translation>Top right</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="30"/>
        <source>左下</source>
        <translation>Bottom left</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="31"/>
        <source>右下</source>
        <translation>Bottom right</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="40"/>
        <source>黒勝 %1 / 白勝 %2</source>
        <translation>Black won %1 / White won %2</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="67"/>
        <source>手抜き</source>
        <translation>Tenuki</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="115"/>
        <source>年から</source>
        <translation>From year</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="116"/>
        <source>年まで</source>
        <translation>To year</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="117"/>
        <source>対局者</source>
        <translation>Player</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="118"/>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="147"/>
        <source>棋戦</source>
        <translation>Event</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="130"/>
        <source>記号</source>
        <translation>Label</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="130"/>
        <source>手</source>
        <translation>Move</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="130"/>
        <source>局数（隅）</source>
        <translation>Games (corners)</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="130"/>
        <source>割合</source>
        <translation>Share</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="130"/>
        <source>黒勝/白勝</source>
        <translation>Black/White wins</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="131"/>
        <source>初年</source>
        <translation>First</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="131"/>
        <source>最終年</source>
        <translation>Last</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="131"/>
        <source>年別の割合</source>
        <translation>Share by year</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="132"/>
        <source>ここでの1局は対局の隅の一つです</source>
        <translation>A game here is one corner of a game</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="139"/>
        <source>局面の年別グラフ...</source>
        <translation>Position by year...</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="147"/>
        <source>黒</source>
        <translation>Black</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="147"/>
        <source>白</source>
        <translation>White</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="147"/>
        <source>日付</source>
        <translation>Date</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="147"/>
        <source>結果</source>
        <translation>Result</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="147"/>
        <source>隅</source>
        <translation>Corner</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="147"/>
        <source>手数</source>
        <translation>Moves</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="148"/>
        <source>クリックで新しい順と古い順を切り替えます</source>
        <translation>Click to switch between newest and oldest first</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="167"/>
        <source>前へ</source>
        <translation>Previous</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="169"/>
        <source>次へ</source>
        <translation>Next</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="228"/>
        <source>この局面 %1 局（1局は対局の隅の一つ）、黒勝 %2、白勝 %3</source>
        <translation>This position: %1 games (a game is one corner of a game), Black won %2, White won %3</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="254"/>
        <source>年ごとの局面の対局のうちこの手の割合</source>
        <translation>Share of the position&apos;s games each year that chose this move</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="308"/>
        <source>%1 / %2 ページ（%3 局）</source>
        <translation>Page %1 / %2 (%3 games)</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerPanel.cpp" line="329"/>
        <source>候補手の年別の対局数</source>
        <translation>Candidates&apos; games by year</translation>
    </message>
</context>
<context>
    <name>vxlo::TFindForm</name>
    <message>
        <location filename="../src/gui/mainwindow/FindForm.cpp" line="23"/>
        <location filename="../src/gui/mainwindow/FindForm.cpp" line="31"/>
        <source>検索</source>
        <translation>Find</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindForm.cpp" line="30"/>
        <source>コメントを検索</source>
        <translation>Search comments</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindForm.cpp" line="41"/>
        <location filename="../src/gui/mainwindow/FindForm.cpp" line="113"/>
        <source>同じ局面：ほかの手順はありません</source>
        <translation>Same position: no other move orders</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindForm.cpp" line="48"/>
        <source>棋譜（SGFまたは x,y の並び）から定石を探す</source>
        <translation>Find the joseki of a game (SGF or x,y pairs)</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindForm.cpp" line="53"/>
        <source>手数</source>
        <translation>Moves</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindForm.cpp" line="59"/>
        <source>照合</source>
        <translation>Match</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindForm.cpp" line="63"/>
        <source>SGFを開く...</source>
        <translation>Open SGF...</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindForm.cpp" line="103"/>
        <source>（空の盤）</source>
        <translation>(empty board)</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindForm.cpp" line="104"/>
        <source>%1&#x3000;%2</source>
        <translation>%1  %2</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindForm.cpp" line="114"/>
        <source>同じ局面：ほかに %1 通りの手順</source>
        <translation>Same position: %1 other move orders</translation>
    </message>
</context>
<context>
    <name>vxlo::TGameViewer</name>
    <message>
        <location filename="../src/gui/records/GameViewer.cpp" line="75"/>
        <source>棋譜 %1</source>
        <translation>Game %1</translation>
    </message>
    <message>
        <location filename="../src/gui/records/GameViewer.cpp" line="77"/>
        <source>黒 %1&#x3000;白 %2
%3&#x3000;%4&#x3000;%5</source>
        <translation>Black %1  White %2
%3  %4  %5</translation>
    </message>
    <message>
        <location filename="../src/gui/records/GameViewer.cpp" line="86"/>
        <source>◀ 戻る</source>
        <translation>◀ Back</translation>
    </message>
    <message>
        <location filename="../src/gui/records/GameViewer.cpp" line="88"/>
        <source>進む ▶</source>
        <translation>Forward ▶</translation>
    </message>
    <message>
        <location filename="../src/gui/records/GameViewer.cpp" line="92"/>
        <source>この隅の定石へ</source>
        <translation>To this corner&apos;s joseki</translation>
    </message>
    <message>
        <location filename="../src/gui/records/GameViewer.cpp" line="109"/>
        <source>%1 / %2 手</source>
        <translation>Move %1 / %2</translation>
    </message>
</context>
<context>
    <name>vxlo::TJskForm</name>
    <message>
        <location filename="../src/gui/records/frmJsk.cpp" line="46"/>
        <source>データ表示</source>
        <translation>Records</translation>
    </message>
    <message>
        <location filename="../src/gui/records/frmJsk.cpp" line="52"/>
        <source>ﾌｧｲﾙ(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <location filename="../src/gui/records/frmJsk.cpp" line="53"/>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <location filename="../src/gui/records/frmJsk.cpp" line="56"/>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <location filename="../src/gui/records/frmJsk.cpp" line="61"/>
        <source>移動</source>
        <translation>Go</translation>
    </message>
    <message>
        <location filename="../src/gui/records/frmJsk.cpp" line="62"/>
        <source>Nextへ</source>
        <translation>To Next</translation>
    </message>
    <message>
        <location filename="../src/gui/records/frmJsk.cpp" line="64"/>
        <source>Moreへ</source>
        <translation>To More</translation>
    </message>
</context>
<context>
    <name>vxlo::TLabelCommands</name>
    <message>
        <location filename="../src/gui/mainwindow/LabelCommands.cpp" line="34"/>
        <source>ラベルの色の名前...</source>
        <translation>Label color names...</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/LabelCommands.cpp" line="34"/>
        <source>ラベルの五つの色それぞれの意味を名付ける</source>
        <translation>Name what each of the five label colors means</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/LabelCommands.cpp" line="70"/>
        <source>候補の色の意味（碁盤 → ラベルの色の名前 で変えられます）</source>
        <translation>What the candidates&apos; colors mean (change them in Board → Label color names)</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/LabelCommands.cpp" line="84"/>
        <source>%1  %2  %3</source>
        <translation>%1  %2  %3</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/LabelCommands.cpp" line="87"/>
        <source>  %1局</source>
        <translation>  %1 games</translation>
    </message>
</context>
<context>
    <name>vxlo::TLabelNamesDialog</name>
    <message>
        <location filename="../src/gui/dialogs/LabelNamesDialog.cpp" line="27"/>
        <source>ラベルの色の名前</source>
        <translation>Label color names</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/LabelNamesDialog.cpp" line="36"/>
        <source>黒</source>
        <translation>Black</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/LabelNamesDialog.cpp" line="37"/>
        <source>赤</source>
        <translation>Red</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/LabelNamesDialog.cpp" line="38"/>
        <source>青</source>
        <translation>Blue</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/LabelNamesDialog.cpp" line="39"/>
        <source>黄</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/LabelNamesDialog.cpp" line="40"/>
        <source>緑</source>
        <translation>Green</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/LabelNamesDialog.cpp" line="43"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/LabelNamesDialog.cpp" line="44"/>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>vxlo::TLinesPanel</name>
    <message>
        <location filename="../src/gui/mainwindow/LinesPanel.cpp" line="33"/>
        <source>候補</source>
        <translation>Label</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/LinesPanel.cpp" line="33"/>
        <source>手</source>
        <translation>Move</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/LinesPanel.cpp" line="33"/>
        <source>対局</source>
        <translation>Games</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/LinesPanel.cpp" line="33"/>
        <source>コメント</source>
        <translation>Comment</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/LinesPanel.cpp" line="33"/>
        <source>損</source>
        <translation>Lost</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/LinesPanel.cpp" line="40"/>
        <source>損がこれより大きい手だけ</source>
        <translation>Only moves losing more than</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/LinesPanel.cpp" line="71"/>
        <source>空の盤</source>
        <translation>Empty board</translation>
    </message>
</context>
<context>
    <name>vxlo::TProgressWindow</name>
    <message>
        <location filename="../src/gui/dialogs/ProgressWindow.cpp" line="38"/>
        <source>中止</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../src/gui/dialogs/ProgressWindow.cpp" line="88"/>
        <source>中止しています…</source>
        <translation>Cancelling…</translation>
    </message>
</context>
<context>
    <name>vxlo::TReviewCommands</name>
    <message>
        <location filename="../src/gui/mainwindow/ReviewCommands.cpp" line="51"/>
        <source>この局面を検討</source>
        <translation>Review this position</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ReviewCommands.cpp" line="51"/>
        <source>解析エンジンにこの局面の候補手を評価させる</source>
        <translation>Have the analysis engine value the candidates of this position</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ReviewCommands.cpp" line="55"/>
        <source>この先の手順を検討...</source>
        <translation>Review the lines below...</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ReviewCommands.cpp" line="56"/>
        <source>この局面から指定した手数先までの局面を解析エンジンで評価する</source>
        <translation>Have the analysis engine value the positions from this one down to a depth</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ReviewCommands.cpp" line="61"/>
        <source>エンジンの設定...</source>
        <translation>Engine settings...</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ReviewCommands.cpp" line="62"/>
        <source>解析エンジンのコマンドと探索数、色分けの境目を設定する</source>
        <translation>Set the analysis engine&apos;s command, its visits and the limits of the colors</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ReviewCommands.cpp" line="79"/>
        <source>この先の手順を検討</source>
        <translation>Review the lines below</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ReviewCommands.cpp" line="80"/>
        <source>何手先までの局面を検討しますか</source>
        <translation>How many moves deep should the review go?</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ReviewCommands.cpp" line="84"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ReviewCommands.cpp" line="85"/>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ReviewCommands.cpp" line="98"/>
        <source>解析エンジンが設定されていません。検討 → エンジンの設定 でコマンドを入れてください</source>
        <translation>No analysis engine is set up. Enter its command in Review &gt; Engine settings</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ReviewCommands.cpp" line="119"/>
        <source>検討しています：0 / %1 局面</source>
        <translation>Reviewing: 0 of %1 positions</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ReviewCommands.cpp" line="119"/>
        <source>中止</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ReviewCommands.cpp" line="122"/>
        <source>エンジンの検討</source>
        <translation>Engine review</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ReviewCommands.cpp" line="130"/>
        <source>検討を中止しています。いまの組の局面を保存して止まります</source>
        <translation>Stopping the review: the positions under way are stored first</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ReviewCommands.cpp" line="155"/>
        <source>検討しています：%1 / %2 局面</source>
        <translation>Reviewing: %1 of %2 positions</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ReviewCommands.cpp" line="169"/>
        <source>検討は途中で終わりました：%1 局面を保存しました</source>
        <translation>The review ended early: %1 positions stored</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ReviewCommands.cpp" line="171"/>
        <source>検討を中止しました：%1 局面を保存しました</source>
        <translation>Review cancelled: %1 positions stored</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ReviewCommands.cpp" line="172"/>
        <source>検討しました：%1 局面（検討済みの %2 局面は飛ばしました）</source>
        <translation>Reviewed %1 positions (%2 reviewed before were passed over)</translation>
    </message>
</context>
<context>
    <name>vxlo::TSDIAppForm</name>
    <message>
        <location filename="../src/gui/mainwindow/BoardCommands.cpp" line="47"/>
        <source>座標表示</source>
        <translation>Coordinates</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/BoardCommands.cpp" line="47"/>
        <source>盤の周りに座標を表示する</source>
        <translation>Show coordinates around the board</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/BoardCommands.cpp" line="51"/>
        <source>盤を窓に合わせる</source>
        <translation>Fit board to window</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/BoardCommands.cpp" line="51"/>
        <source>窓の大きさに合わせて盤を拡大する</source>
        <translation>Enlarge the board to fill the window</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ImportCommands.cpp" line="171"/>
        <source>棋譜 (*.IG1 *.ig1 *.sgf *.SGF);;すべてのﾌｧｲﾙ (*.*)</source>
        <translation>Game records (*.IG1 *.ig1 *.sgf *.SGF);;All files (*.*)</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ImportCommands.cpp" line="174"/>
        <source>隅の定形を取り込む</source>
        <translation>Import corner sequences</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FileCommands.cpp" line="84"/>
        <source>定石 (*.jsk);;すべてのﾌｧｲﾙ (*.*)</source>
        <translation>Dictionaries (*.jsk);;All files (*.*)</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindCommands.cpp" line="32"/>
        <source>左上</source>
        <translation>Top left</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindCommands.cpp" line="33"/>
        <source>右上</source>
        <translation>Top right</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindCommands.cpp" line="34"/>
        <source>左下</source>
        <translation>Bottom left</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindCommands.cpp" line="35"/>
        <source>右下</source>
        <translation>Bottom right</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindCommands.cpp" line="76"/>
        <source>索引を作成しています</source>
        <translation>Building the index</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindCommands.cpp" line="103"/>
        <source>%1 件</source>
        <translation>%1 found</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindCommands.cpp" line="107"/>
        <source>貼り付けた棋譜</source>
        <translation>pasted game</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindCommands.cpp" line="112"/>
        <location filename="../src/gui/mainwindow/ImportCommands.cpp" line="27"/>
        <source>SGF (*.sgf *.SGF);;すべてのﾌｧｲﾙ (*.*)</source>
        <translation>SGF (*.sgf *.SGF);;All files (*.*)</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindCommands.cpp" line="123"/>
        <source>%1 %2子 %3手目</source>
        <translation>%1, %2 stones, move %3</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerCommands.cpp" line="22"/>
        <source>対局</source>
        <translation>Games</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerCommands.cpp" line="52"/>
        <source>対局パネル</source>
        <translation>Games panel</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerCommands.cpp" line="98"/>
        <source>棋譜ファイルが見つかりません（移動または削除されました）: %1</source>
        <translation>The game file was not found (moved or deleted): %1</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerCommands.cpp" line="112"/>
        <source>棋譜ファイルが取り込んだ後に変わりました: %1</source>
        <translation>The game file changed since it was imported: %1</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ExplorerCommands.cpp" line="133"/>
        <location filename="../src/gui/mainwindow/FindCommands.cpp" line="130"/>
        <source>一致する定石はありません</source>
        <translation>No matching joseki</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindCommands.cpp" line="168"/>
        <source>この局面はほかの手順でも現れます（%1）</source>
        <translation>This position also arises by other move orders (%1)</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindCommands.cpp" line="180"/>
        <source>向き %1</source>
        <translation>orientation %1</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindCommands.cpp" line="181"/>
        <source>白黒逆</source>
        <translation>colors reversed</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindCommands.cpp" line="181"/>
        <source>・白黒逆</source>
        <translation>, colors reversed</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ImportCommands.cpp" line="32"/>
        <source>定石(*.jsk);;すべてのﾌｧｲﾙ (*.*)</source>
        <translation>Dictionaries (*.jsk);;All files (*.*)</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ImportCommands.cpp" line="80"/>
        <source>GOTERM (*.IG1 *.ig1);;SGF (*.sgf *.SGF);;すべてのﾌｧｲﾙ (*.*)</source>
        <translation>GOTERM (*.IG1 *.ig1);;SGF (*.sgf *.SGF);;All files (*.*)</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ImportCommands.cpp" line="83"/>
        <source>棋譜の入力</source>
        <translation>Game record input</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ImportCommands.cpp" line="121"/>
        <source>SGF のマージ</source>
        <translation>SGF merge</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ImportCommands.cpp" line="138"/>
        <source>SGF の書き出し</source>
        <translation>SGF export</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/LanguageCommands.cpp" line="15"/>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/LanguageCommands.cpp" line="15"/>
        <source>日本語</source>
        <translation>Japanese</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/LanguageCommands.cpp" line="15"/>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/LanguageCommands.cpp" line="35"/>
        <source>言語の設定は次の起動から有効になります</source>
        <translation>The language setting takes effect at the next start</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/MarkupCommands.cpp" line="22"/>
        <source>盤上のマーク</source>
        <translation>Board markup</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/MarkupCommands.cpp" line="23"/>
        <source>棋譜から取り込んだ記号と文字を盤上に表示する</source>
        <translation>Show the marks and labels imported from game records on the board</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/PracticeCommands.cpp" line="40"/>
        <source>練習</source>
        <translation>Practice</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/PracticeCommands.cpp" line="40"/>
        <source>この局面から先の手順を練習する</source>
        <translation>Practice the lines that follow this position</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/PracticeCommands.cpp" line="49"/>
        <source>黒</source>
        <translation>Black</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/PracticeCommands.cpp" line="49"/>
        <source>白</source>
        <translation>White</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/PracticeCommands.cpp" line="49"/>
        <source>交互</source>
        <translation>Alternate</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FileCommands.cpp" line="25"/>
        <source>ﾌｧｲﾙ開く(&amp;O)</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FileCommands.cpp" line="25"/>
        <source>定石ﾌｧｲﾙを指定する</source>
        <translation>Choose a dictionary</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/RecordCommands.cpp" line="17"/>
        <source>データ表示</source>
        <translation>Records</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ImportCommands.cpp" line="46"/>
        <source>ﾌｧｲﾙ入力</source>
        <translation>Import game</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ImportCommands.cpp" line="46"/>
        <source>ファイルからデータを入力する</source>
        <translation>Import a game record file</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ImportCommands.cpp" line="51"/>
        <source>一括入力</source>
        <translation>Import folder</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ImportCommands.cpp" line="52"/>
        <source>ディレクトリのある全てのファイルから一括入力する</source>
        <translation>Import every file of a folder</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ImportCommands.cpp" line="56"/>
        <source>隅の定形入力</source>
        <translation>Import corners</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ImportCommands.cpp" line="57"/>
        <source>棋譜の四隅の手順を対局数とともに入力する</source>
        <translation>Import the four corner sequences of games with their game counts</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ImportCommands.cpp" line="62"/>
        <source>Ver4</source>
        <translation>Ver4</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ImportCommands.cpp" line="63"/>
        <source>Ver1</source>
        <translation>Ver1</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ImportCommands.cpp" line="64"/>
        <source>SGF</source>
        <translation>SGF</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ImportCommands.cpp" line="65"/>
        <source>SGF出力</source>
        <translation>Export SGF</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ImportCommands.cpp" line="65"/>
        <source>定石ファイルをSGF形式で書き出す</source>
        <translation>Write the dictionary as SGF</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FileCommands.cpp" line="44"/>
        <source>ﾌｧｲﾙ閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FileCommands.cpp" line="49"/>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FileCommands.cpp" line="49"/>
        <source>vexlo定石辞典の終了</source>
        <translation>Quit Vexlo Joseki Dictionary</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/KeyCommands.cpp" line="24"/>
        <source>一手進む</source>
        <translation>Forward one move</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/KeyCommands.cpp" line="24"/>
        <source>選んだ候補手を打ちます（→キー、ホイール）</source>
        <translation>Plays the chosen candidate (Right arrow, mouse wheel)</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/KeyCommands.cpp" line="29"/>
        <source>前の候補手を選ぶ</source>
        <translation>Choose the previous candidate</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/KeyCommands.cpp" line="33"/>
        <source>次の候補手を選ぶ</source>
        <translation>Choose the next candidate</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/KeyCommands.cpp" line="46"/>
        <source>登録を取り消す</source>
        <translation>Undo recording</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/KeyCommands.cpp" line="46"/>
        <source>この回の登録・色の変更を一つずつ取り消します</source>
        <translation>Takes back this session&apos;s added moves and colour changes one by one</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/KeyCommands.cpp" line="51"/>
        <source>登録をやり直す</source>
        <translation>Redo recording</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/KeyCommands.cpp" line="57"/>
        <source>キーとマウス...</source>
        <translation>Keys and mouse...</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/KeyCommands.cpp" line="146"/>
        <source>その手の局面がもうないので、取り消し・やり直しの記録を消しました</source>
        <translation>The position of that action is no longer in the dictionary: the undo history was cleared</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/KeyCommands.cpp" line="147"/>
        <source>その手の先に手が登録されているので取り消せません</source>
        <translation>Moves have been recorded below that move, so it cannot be taken back</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/KeyCommands.cpp" line="148"/>
        <source>候補手が30手あるか手順が400手に達しているので、やり直せません</source>
        <translation>Cannot redo: the position has 30 candidates or the line has reached 400 moves</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/KeyCommands.cpp" line="167"/>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="21"/>
        <source>表示モード</source>
        <translation>Browse mode</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/KeyCommands.cpp" line="167"/>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="25"/>
        <source>登録モード</source>
        <translation>Record mode</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/KeyCommands.cpp" line="174"/>
        <source>→ / ホイールを手前へ：選んだ候補手を打つ（分岐までモードでは分岐まで）
← / ホイールを奥へ / 右クリック：一手戻る
↑ ↓：→で打つ候補手を選ぶ（盤上に丸で示します）
Home：最初に戻る
左クリック：候補手を打つ。登録モードでは空いた点に候補手を加える
右クリック（登録モード）：候補手の色を変える
Ctrl+Z / Ctrl+Y：この回の登録・色の変更を取り消す / やり直す
Ctrl+O 開く&#x3000;Ctrl+F 検索&#x3000;Ctrl+I ファイル入力&#x3000;Ctrl+E SGF出力
Ctrl+, 盤石の色&#x3000;Ctrl+Q 終了</source>
        <translation>Right arrow / wheel towards you: play the chosen candidate (to the next branch in To-branch mode)
Left arrow / wheel away / right click: back one move
Up, Down: choose the candidate that Right plays (circled on the board)
Home: back to the empty board
Left click: play a candidate; in Record mode, add a candidate on an empty point
Right click (Record mode): change a candidate&apos;s colour
Ctrl+Z / Ctrl+Y: undo / redo this session&apos;s added moves and colour changes
Ctrl+O open   Ctrl+F find   Ctrl+I import game   Ctrl+E export SGF
Ctrl+, board and stone colors   Ctrl+Q quit</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="36"/>
        <source>表示</source>
        <translation>Show</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="40"/>
        <source>非表示</source>
        <translation>Hide</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="51"/>
        <source>分岐まで</source>
        <translation>To branch</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="55"/>
        <source>１手づつ</source>
        <translation>One move</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/RecordCommands.cpp" line="21"/>
        <source>ｺﾒﾝﾄ使用</source>
        <translation>Use comments</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/RecordCommands.cpp" line="21"/>
        <source>Paradoxを使用しコメントの入力をします</source>
        <translation>Enter comments, kept in a database beside the dictionary</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/RecordCommands.cpp" line="47"/>
        <source>コメント</source>
        <translation>Comments</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="59"/>
        <source>白先</source>
        <translation>White first</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="59"/>
        <source>第１手を白石表示します</source>
        <translation>Show the first move as a white stone</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/BoardCommands.cpp" line="28"/>
        <source>反転</source>
        <translation>Swap X/Y</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/BoardCommands.cpp" line="28"/>
        <source>X座標とY座標を逆にする</source>
        <translation>Swap the X and Y coordinates</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/BoardCommands.cpp" line="31"/>
        <source>右回転</source>
        <translation>Rotate right</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/BoardCommands.cpp" line="31"/>
        <source>右に90度回転して表示する</source>
        <translation>Rotate 90 degrees to the right</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/BoardCommands.cpp" line="34"/>
        <source>左回転</source>
        <translation>Rotate left</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/BoardCommands.cpp" line="34"/>
        <source>左に90度回転して表示する</source>
        <translation>Rotate 90 degrees to the left</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/BoardCommands.cpp" line="37"/>
        <source>上下反転</source>
        <translation>Flip vertically</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/BoardCommands.cpp" line="37"/>
        <source>真ん中の横線を中心に上下逆にする</source>
        <translation>Flip top and bottom about the middle line</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/BoardCommands.cpp" line="40"/>
        <source>左右反転</source>
        <translation>Flip horizontally</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/BoardCommands.cpp" line="40"/>
        <source>真ん中の縦線を中心に左右逆にする</source>
        <translation>Flip left and right about the middle line</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/BoardCommands.cpp" line="43"/>
        <source>盤石の色</source>
        <translation>Board and stone colors</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/KeyCommands.cpp" line="20"/>
        <source>一手戻る</source>
        <translation>Back one move</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/KeyCommands.cpp" line="20"/>
        <source>盤面を右クリックでも戻ります</source>
        <translation>Right-clicking the board also goes back</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/KeyCommands.cpp" line="37"/>
        <source>一手削除</source>
        <translation>Delete last move</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/KeyCommands.cpp" line="41"/>
        <source>最初に戻る</source>
        <translation>Back to start</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindCommands.cpp" line="39"/>
        <location filename="../src/gui/mainwindow/FindCommands.cpp" line="50"/>
        <source>検索</source>
        <translation>Find</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FindCommands.cpp" line="39"/>
        <source>コメント・同じ局面・棋譜の定石を探す</source>
        <translation>Find comments, the same position or a game&apos;s joseki</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FileCommands.cpp" line="53"/>
        <source>ﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/Sdimain.cpp" line="68"/>
        <source>ﾌｧｲﾙ(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/FileCommands.cpp" line="29"/>
        <source>開き直す(&amp;R)</source>
        <translation>&amp;Reopen</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ImportCommands.cpp" line="34"/>
        <location filename="../src/gui/mainwindow/ImportCommands.cpp" line="61"/>
        <source>マージ</source>
        <translation>Merge</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/Sdimain.cpp" line="69"/>
        <source>設定(&amp;S)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="14"/>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="17"/>
        <source>入力</source>
        <translation>Input</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="14"/>
        <source>登録しない場合は表示モードにしてください</source>
        <translation>Choose Browse mode when not recording</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="29"/>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="32"/>
        <source>選択肢</source>
        <translation>Labels</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="29"/>
        <source>いろはを表示するかしないか</source>
        <translation>Show the candidate labels or not</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="44"/>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="47"/>
        <source>進行</source>
        <translation>Advance</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="44"/>
        <source>一手づつ進ませるか分岐点まで進ませるか</source>
        <translation>Advance one move at a time or to the next branch</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/PracticeCommands.cpp" line="47"/>
        <source>練習の手番</source>
        <translation>Practice color</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/LanguageCommands.cpp" line="11"/>
        <source>言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/Sdimain.cpp" line="70"/>
        <source>碁盤(&amp;B)</source>
        <translation>&amp;Board</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/Sdimain.cpp" line="71"/>
        <source>操作</source>
        <translation>Actions</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/Sdimain.cpp" line="72"/>
        <source>検討</source>
        <translation>Review</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/Sdimain.cpp" line="73"/>
        <source>ﾍﾙﾌﾟ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/Sdimain.cpp" line="389"/>
        <source>Vexlo定石辞典</source>
        <translation>Vexlo Joseki Dictionary</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/Sdimain.cpp" line="392"/>
        <source> — 登録モード</source>
        <translation> — Record mode</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="18"/>
        <source>入力     登録モード</source>
        <translation>Input: Record mode</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="19"/>
        <source>入力     表示モード</source>
        <translation>Input: Browse mode</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="48"/>
        <source>進行     一手づつ</source>
        <translation>Advance: One move</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="49"/>
        <source>進行     分岐まで</source>
        <translation>Advance: To branch</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="33"/>
        <source>選択肢  非表示</source>
        <translation>Labels: Hide</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/ModeCommands.cpp" line="34"/>
        <source>選択肢  表示</source>
        <translation>Labels: Show</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/KeyCommands.cpp" line="132"/>
        <source>表示モードなので手は加わりません。登録するには 設定 → 入力 → 登録 を選んでください</source>
        <translation>Browse mode: no move is added. To record, choose Settings → Input → Record mode</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/SpeedPanel.cpp" line="97"/>
        <source>開く|</source>
        <translation>Open|</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/SpeedPanel.cpp" line="98"/>
        <source>反転|X座標とY座標を逆にする</source>
        <translation>Swap X/Y|Swap the X and Y coordinates</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/SpeedPanel.cpp" line="100"/>
        <source>右回転|右に90度回転して表示する</source>
        <translation>Rotate right|Rotate 90 degrees to the right</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/SpeedPanel.cpp" line="102"/>
        <source>左回転|左に90度回転して表示する</source>
        <translation>Rotate left|Rotate 90 degrees to the left</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/SpeedPanel.cpp" line="104"/>
        <source>上下反転|真ん中の横線を中心に上下逆にする</source>
        <translation>Flip vertically|Flip top and bottom about the middle line</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/SpeedPanel.cpp" line="106"/>
        <source>左右反転|真ん中の縦線を中心に左右逆にする</source>
        <translation>Flip horizontally|Flip left and right about the middle line</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/SpeedPanel.cpp" line="108"/>
        <source>戻る|盤面を右クリックでも戻ります</source>
        <translation>Back|Right-clicking the board also goes back</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/LinesCommands.cpp" line="58"/>
        <source>手順</source>
        <translation>Lines</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/LinesCommands.cpp" line="92"/>
        <source>手順パネル</source>
        <translation>Lines panel</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/LinesCommands.cpp" line="93"/>
        <source>初手からの手順とこの先の変化を盤の横に表示する</source>
        <translation>Show the moves from the empty board and the lines below beside the board</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/LinesCommands.cpp" line="100"/>
        <source>手抜き</source>
        <translation>Tenuki</translation>
    </message>
    <message>
        <location filename="../src/gui/mainwindow/EvidenceCommands.cpp" line="23"/>
        <source>対局数</source>
        <translation>Game counts</translation>
    </message>
</context>
<context>
    <name>vxlo::TTenukiSpot</name>
    <message>
        <location filename="../src/gui/board/TenukiSpot.cpp" line="20"/>
        <source>手抜き（他の場所に打つ）</source>
        <translation>Tenuki (play elsewhere)</translation>
    </message>
    <message>
        <location filename="../src/gui/board/TenukiSpot.cpp" line="21"/>
        <source>手抜き：クリックで打ち、登録モードでは候補に加えます。左の石は手番です</source>
        <translation>Tenuki: click to play it; in Record mode it becomes a candidate. The stone on the left is the side to move</translation>
    </message>
    <message>
        <location filename="../src/gui/board/TenukiSpot.cpp" line="67"/>
        <source>手抜き</source>
        <translation>Tenuki</translation>
    </message>
</context>
<context>
    <name>vxlo::TfrmCmnt</name>
    <message>
        <location filename="../src/gui/records/Comment.cpp" line="31"/>
        <source>Vexlo定石辞典コメント</source>
        <translation>Vexlo Comments</translation>
    </message>
    <message>
        <location filename="../src/gui/records/Comment.cpp" line="40"/>
        <source>フォント</source>
        <translation>Font</translation>
    </message>
</context>
</TS>
